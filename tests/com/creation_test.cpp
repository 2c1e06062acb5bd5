#include <gtest/gtest.h>

#include <thread>

#include "platform/com/com_ptr.h"
#include "platform/com/creation.h"
#include "platform/com/hresult_text.h"
#include "platform/registry/registry.h"
#include "tests/com/sample_server.h"
#include "tests/com/server_fixture.h"

namespace {

using com::ComPtr;

void SetClassesString(const std::string& path, const char* value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>(strlen(value) + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

bool ClassesKeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TEST(Apartment, CountsPerThread) {
    testing_support::ScopedPrefix prefix;
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);  // not counted
    std::thread([] {
        // Another thread starts from nothing.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        CoUninitialize();
    }).join();
    CoUninitialize();
    ComPtr<IDispatch> object;
    EXPECT_NE(CoCreateInstance(GUID_NULL, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               object.put_void()),
              CO_E_NOTINITIALIZED);  // one count still held
    CoUninitialize();
    CoUninitialize();  // one too many does nothing
    EXPECT_EQ(CoCreateInstance(GUID_NULL, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               object.put_void()),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CoUninitialize();
}

class Creation : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    }
    void TearDown() override { CoUninitialize(); }
    HRESULT Create(const CLSID& clsid, ComPtr<IDispatch>& out, DWORD context = CLSCTX_INPROC_SERVER) {
        return CoCreateInstance(clsid, nullptr, context, IID_IDispatch, out.put_void());
    }
};

TEST_F(Creation, RegistrationRoundTrip) {
    const std::string classKey = std::string("CLSID\\") + kSampleClsid;
    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
    EXPECT_TRUE(ClassesKeyExists(std::string(kSampleProgId) + "\\CLSID"));
    EXPECT_TRUE(ClassesKeyExists(classKey + "\\InprocServer32"));
    EXPECT_TRUE(ClassesKeyExists(classKey + "\\ProgID"));
    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);  // again: same result

    ASSERT_EQ(CallExport("DllUnregisterServer"), S_OK);
    EXPECT_FALSE(ClassesKeyExists(kSampleProgId));
    EXPECT_FALSE(ClassesKeyExists(classKey));
    EXPECT_EQ(CallExport("DllUnregisterServer"), S_OK);  // missing counts as removed
}

TEST_F(Creation, ByProgIdThroughTheRegistry) {
    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"comtest.sample", &clsid), S_OK);  // key names ignore case
    EXPECT_EQ(clsid, MakeGuid(kSampleClsid));
    ComPtr<IDispatch> first, second;
    ASSERT_EQ(Create(clsid, first), S_OK);
    ASSERT_EQ(Create(clsid, second), S_OK);  // the module is loaded already
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(com::LastCreationError(), "");

    // A version-independent ProgID leads through CurVer.
    SetClassesString("ComTest.Any\\CurVer", kSampleProgId);
    ASSERT_EQ(CLSIDFromProgID(u"ComTest.Any", &clsid), S_OK);
    EXPECT_EQ(clsid, MakeGuid(kSampleClsid));
}

TEST_F(Creation, ProgIdErrors) {
    SetClassesString("Broken.Class\\CLSID", "not a guid");
    const char16_t* bad[] = {u"No.Such.Class", u"Broken.Class", u"", u"CLSID\\x"};
    for (const char16_t* progId : bad) {
        CLSID clsid = MakeGuid(kSampleClsid);
        EXPECT_EQ(CLSIDFromProgID(progId, &clsid), CO_E_CLASSSTRING);
        EXPECT_EQ(clsid, GUID_NULL);
    }
    EXPECT_EQ(CLSIDFromProgID(nullptr, nullptr), E_INVALIDARG);
}

TEST_F(Creation, CreationErrors) {
    const CLSID unknown = MakeGuid("{00000000-1111-2222-3333-444444444444}");
    const CLSID missingFile = MakeGuid("{00000000-1111-2222-3333-555555555555}");
    const CLSID noExports = MakeGuid("{00000000-1111-2222-3333-666666666666}");
    const CLSID nullClassObject = MakeGuid("{00000000-1111-2222-3333-777777777777}");
    SetClassesString("CLSID\\" + GuidToString(missingFile) + "\\InprocServer32", "/nonexistent/x.so");
    SetClassesString("CLSID\\" + GuidToString(noExports) + "\\InprocServer32", COM_TEST_NO_EXPORTS);
    SetClassesString("CLSID\\" + GuidToString(nullClassObject) + "\\InprocServer32", COM_TEST_NULL_CLASS_OBJECT);
    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);

    struct {
        const char* name;
        CLSID clsid;
        DWORD context;
        HRESULT hr;
        const char* detail;  // part of LastCreationError()
    } cases[] = {
        {"not registered", unknown, CLSCTX_INPROC_SERVER, REGDB_E_CLASSNOTREG, "no in-process server"},
        {"module missing", missingFile, CLSCTX_INPROC_SERVER, CO_E_DLLNOTFOUND, "/nonexistent/x.so"},
        {"no DllGetClassObject", noExports, CLSCTX_INPROC_SERVER, CO_E_ERRORINDLL, "DllGetClassObject"},
        {"success without a class object", nullClassObject, CLSCTX_INPROC_SERVER, E_UNEXPECTED, "no class object"},
        {"only out of process asked", MakeGuid(kSampleClsid), CLSCTX_LOCAL_SERVER, REGDB_E_CLASSNOTREG, ""},
    };
    for (auto& c : cases) {
        ComPtr<IDispatch> object;
        EXPECT_EQ(Create(c.clsid, object, c.context), c.hr) << c.name;
        EXPECT_FALSE(object) << c.name;
        EXPECT_NE(com::LastCreationError().find(c.detail), std::string::npos)
            << c.name << ": " << com::LastCreationError();
    }
    ComPtr<IClassFactory> none;
    EXPECT_EQ(CoCreateInstance(MakeGuid(kSampleClsid), nullptr, CLSCTX_INPROC_SERVER,
                               IID_IClassFactory, none.put_void()),
              E_NOINTERFACE);
    EXPECT_EQ(CoCreateInstance(MakeGuid(kSampleClsid), nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               nullptr),
              E_POINTER);
}

TEST(HResultText, TableNamesAndTexts) {
    struct {
        HRESULT hr;
        const char* name;
        const char* text;
    } cases[] = {
        {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG", "Class not registered"},
        {CO_E_CLASSSTRING, "CO_E_CLASSSTRING", "Invalid class string"},
        {DISP_E_UNKNOWNNAME, "DISP_E_UNKNOWNNAME", "Unknown name"},
        {DISP_E_TYPEMISMATCH, "DISP_E_TYPEMISMATCH", "Type mismatch"},
        {E_NOINTERFACE, "E_NOINTERFACE", "No such interface supported"},
        {static_cast<HRESULT>(0x80001234u), "", "Error 0x80001234"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(com::HResultName(c.hr), c.name);
        EXPECT_EQ(com::DescribeHResult(c.hr), c.text);
    }
    EXPECT_EQ(com::HexHResult(E_FAIL), "0x80004005");
}

}  // namespace
