#include <gtest/gtest.h>

#include "platform/com/com_ptr.h"
#include "platform/com/object.h"

namespace {

using com::ComPtr;

// Counts references and destructions so each ComPtr operation can be checked to the unit.
struct Counting : com::Object<IDispatch> {
    static inline int destroyed = 0;
    ~Counting() override { ++destroyed; }
    ULONG Refs() {
        AddRef();
        return Release();
    }
    HRESULT QueryInterface(REFIID iid, void** object) override {
        return com::QueryFrom(iid, object, {{IID_IDispatch, this}});
    }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
};

Counting* NewCounting() {
    Counting* c = new Counting;
    c->AddRef();  // the test's own reference
    return c;
}

TEST(ComPtr, CountsEveryReference) {
    Counting::destroyed = 0;
    Counting* raw = NewCounting();
    {
        ComPtr<IDispatch> a(raw);  // adds one
        EXPECT_EQ(raw->Refs(), 2u);
        ComPtr<IDispatch> b = a;  // copy adds one
        EXPECT_EQ(raw->Refs(), 3u);
        ComPtr<IDispatch> c = std::move(b);  // move adds none
        EXPECT_FALSE(b);
        EXPECT_EQ(raw->Refs(), 3u);
        c = a;  // self-same object: one released, one added
        EXPECT_EQ(raw->Refs(), 3u);
        c = c;
        EXPECT_EQ(raw->Refs(), 3u);
        c = nullptr;
        EXPECT_EQ(raw->Refs(), 2u);
        ComPtr<IDispatch> d(raw);
        c = std::move(d);  // move assignment hands the reference over
        EXPECT_FALSE(d);
        EXPECT_EQ(raw->Refs(), 3u);
        c = nullptr;
        EXPECT_EQ(raw->Refs(), 2u);

        ComPtr<IUnknown> unknown;
        ASSERT_EQ(a.As(IID_IUnknown, &unknown), S_OK);
        EXPECT_EQ(raw->Refs(), 3u);
        ComPtr<IClassFactory> none;
        EXPECT_EQ(a.As(IID_IClassFactory, &none), E_NOINTERFACE);
        EXPECT_FALSE(none);
    }
    EXPECT_EQ(raw->Refs(), 1u);
    EXPECT_EQ(Counting::destroyed, 0);
    raw->Release();
    EXPECT_EQ(Counting::destroyed, 1);
}

TEST(ComPtr, OutParameterAttachAndDetach) {
    Counting::destroyed = 0;
    ComPtr<IDispatch> p;
    *&p = NewCounting();  // an out-parameter hands over its reference
    ComPtr<IDispatch> q(p.get());
    EXPECT_EQ(static_cast<Counting*>(p.get())->Refs(), 2u);
    // put() releases the old reference before the callee writes the new one.
    IDispatch** slot = p.put();
    EXPECT_EQ(*slot, nullptr);
    EXPECT_EQ(static_cast<Counting*>(q.get())->Refs(), 1u);
    *slot = NewCounting();
    EXPECT_EQ(Counting::destroyed, 0);

    IDispatch* detached = q.Detach();
    EXPECT_FALSE(q);
    EXPECT_EQ(static_cast<Counting*>(detached)->Refs(), 1u);
    q.Attach(detached);  // adopts without adding
    EXPECT_EQ(static_cast<Counting*>(q.get())->Refs(), 1u);
    q.Reset();
    p.Reset();
    EXPECT_EQ(Counting::destroyed, 2);
}

TEST(Object, ModuleCountAndCreation) {
    const long before = com::ModuleLockCount().load();
    ComPtr<IDispatch> d;
    ASSERT_EQ(com::CreateObject<Counting>(IID_IDispatch, d.put_void()), S_OK);
    EXPECT_EQ(com::ModuleLockCount().load(), before + 1);
    EXPECT_EQ(com::CanUnloadNow(), S_FALSE);
    d.Reset();
    EXPECT_EQ(com::ModuleLockCount().load(), before);

    // A refused interface leaves nothing alive.
    Counting::destroyed = 0;
    ComPtr<IClassFactory> wrong;
    EXPECT_EQ(com::CreateObject<Counting>(IID_IClassFactory, wrong.put_void()), E_NOINTERFACE);
    EXPECT_EQ(Counting::destroyed, 1);
    EXPECT_EQ(com::ModuleLockCount().load(), before);

    // The class factory: aggregation refused, LockServer counts, unknown class refused.
    const CLSID clsid = MakeGuid("{11111111-2222-3333-4444-555555555555}");
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(com::GetClassObject<Counting>(clsid, clsid, IID_IClassFactory, factory.put_void()), S_OK);
    EXPECT_EQ(com::ModuleLockCount().load(), before);  // a held factory does not count
    ComPtr<IUnknown> made;
    ComPtr<IDispatch> outer;
    *&outer = NewCounting();
    EXPECT_EQ(factory->CreateInstance(outer.get(), IID_IDispatch, made.put_void()), CLASS_E_NOAGGREGATION);
    EXPECT_FALSE(made);
    outer.Reset();
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, made.put_void()), S_OK);
    made.Reset();
    factory->LockServer(TRUE);
    EXPECT_EQ(com::CanUnloadNow(), S_FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(com::CanUnloadNow(), before == 0 ? S_OK : S_FALSE);
    ComPtr<IClassFactory> other;
    EXPECT_EQ(com::GetClassObject<Counting>(GUID_NULL, clsid, IID_IClassFactory, other.put_void()),
              CLASS_E_CLASSNOTAVAILABLE);
}

}  // namespace
