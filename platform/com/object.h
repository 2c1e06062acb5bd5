// A base for the module's own COM objects: reference counting, a count of live objects per
// module for DllCanUnloadNow, interface look-up, and a class factory.
#pragma once

#include <atomic>
#include <initializer_list>
#include <new>

#include "platform/com/interfaces.h"
#include "platform/com/types.h"

namespace com {

// Live objects and server locks of the module that compiles this header. Hidden visibility gives
// every module its own counter even though the header is shared.
[[gnu::visibility("hidden")]] inline std::atomic<long>& ModuleLockCount() {
    static std::atomic<long> count{0};
    return count;
}

// What DllCanUnloadNow answers.
[[gnu::visibility("hidden")]] inline HRESULT CanUnloadNow() {
    return ModuleLockCount().load() == 0 ? S_OK : S_FALSE;
}

struct InterfaceEntry {
    const IID& iid;
    IUnknown* pointer;
};

// QueryInterface over a table of the object's interfaces. IID_IUnknown answers the first entry.
// A hit adds a reference; a miss gives E_NOINTERFACE and a null *object.
inline HRESULT QueryFrom(REFIID iid, void** object, std::initializer_list<InterfaceEntry> table) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    for (const InterfaceEntry& e : table) {
        if (iid == e.iid || (iid == IID_IUnknown && &e == table.begin())) {
            e.pointer->AddRef();
            *object = e.pointer;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

// Reference counting for a class implementing Interfaces (each a struct of pure virtuals). The
// class writes QueryInterface (with QueryFrom); AddRef and Release are done here, and the object
// counts towards ModuleLockCount while it lives. A new object has no reference yet.
template <class... Interfaces>
class Object : public Interfaces... {
public:
    Object() { ++ModuleLockCount(); }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~Object() { --ModuleLockCount(); }

private:
    std::atomic<ULONG> refs_{0};
};

// Makes a T and asks it for iid: the usual way to hand out a new object.
template <class T, class... Args>
HRESULT CreateObject(REFIID iid, void** object, Args&&... args) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    T* created = new (std::nothrow) T(static_cast<Args&&>(args)...);
    if (created == nullptr) return E_OUTOFMEMORY;
    created->AddRef();  // held across the look-up; the object goes if iid is refused
    HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

// The class factory for T. It counts as a server lock only through LockServer, so a factory a
// caller keeps does not hold the module.
template <class T>
class ClassFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        return QueryFrom(iid, object, {{IID_IClassFactory, this}});
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        try {
            return CreateObject<T>(iid, object);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }
    HRESULT LockServer(BOOL lock) override {
        if (lock)
            ++ModuleLockCount();
        else
            --ModuleLockCount();
        return S_OK;
    }

private:
    std::atomic<ULONG> refs_{0};
};

// DllGetClassObject for a module serving T under clsid.
template <class T>
HRESULT GetClassObject(REFCLSID requested, REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!(requested == clsid)) return CLASS_E_CLASSNOTAVAILABLE;
    return CreateObject<ClassFactory<T>>(iid, object);
}

}  // namespace com
