#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "components/base64lib/base64_interface.h"
#include "platform/com/com_ptr.h"
#include "platform/com/creation.h"
#include "platform/loader/loader.h"
#include "platform/registry/registry.h"
#include "platform/text/codepage.h"
#include "tests/support/temp_dir.h"

namespace {

using base64lib::IBase64;
using com::BStr;
using com::ComPtr;

const std::string kModule = std::string(CS_BUILD_DIR) + "/lib/Base64Lib.so";

HMODULE Module() {
    static HMODULE module = LoadLibraryA(kModule.c_str());
    return module;
}

HRESULT CallExport(const char* name) {
    auto fn = loader::Lookup<PFN_DllRegisterServer>(Module(), name);
    return fn ? fn() : E_FAIL;
}

std::string ClassesString(const std::string& path, const char* valueName) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "(missing)";
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1, type = 0;
    LONG rc = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? buffer : "(missing)";
}

// A fresh registry with the class registered, the thread initialised, and a folder for files.
class Base64Lib : public ::testing::Test {
protected:
    testing_support::ScopedPrefix prefix;
    testing_support::TempDir files;

    void SetUp() override {
        ASSERT_NE(Module(), nullptr) << loader::LastError();
        ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(u"Base64Lib.Base64", &clsid), S_OK);
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, MakeGuid(base64lib::kIid),
                                   object.put_void()),
                  S_OK);
    }
    void TearDown() override {
        object.Reset();
        CoUninitialize();
    }
    std::string File(const std::string& name, const std::string& content) {
        std::string path = (files.path() / name).string();
        testing_support::WriteFile(path, content);
        return path;
    }
    // Entry 9 of the interface table, called the way a caller that knows only the slot does.
    HRESULT EncodeFileBySlot(const std::string& path, BStr* result) {
        using Slot = HRESULT (*)(IBase64*, BSTR*, BSTR*);
        Slot slot = (*reinterpret_cast<Slot**>(object.get()))[9];
        BStr name = BStr::FromUtf8(path);
        BSTR raw = name.get();
        return slot(object.get(), &raw, result->put());
    }

    ComPtr<IBase64> object;
};

const struct {
    const char* bytes;
    size_t size;
    const char* base64;
} kVectors[] = {
    {"", 0, ""},
    {"f", 1, "Zg=="},
    {"fo", 2, "Zm8="},
    {"foo", 3, "Zm9v"},
    {"foob", 4, "Zm9vYg=="},
    {"fooba", 5, "Zm9vYmE="},
    {"foobar", 6, "Zm9vYmFy"},
    {"\x00\xFF\xFE\x10\x80", 5, "AP/+EIA="},
    {"\r\n\x00\x01", 4, "DQoAAQ=="},
};

TEST_F(Base64Lib, EncodeFileThroughSlotNineOnRfc4648Vectors) {
    for (auto& v : kVectors) {
        std::string path = File("data.bin", std::string(v.bytes, v.size));
        BStr result;
        ASSERT_EQ(EncodeFileBySlot(path, &result), S_OK) << v.base64;
        EXPECT_EQ(result.ToUtf8(), v.base64);
        EXPECT_NE(result.get(), nullptr);  // empty text, not a missing one
    }
}

TEST_F(Base64Lib, EncodeFileFailuresAreHResultsAndNoText) {
    std::string big = (files.path() / "big.bin").string();
    {
        std::ofstream(big).close();
        std::filesystem::resize_file(big, 64u * 1024 * 1024 + 1);  // sparse: cheap to make
    }
    const std::string dir = files.str();
    const std::string real = (files.path() / "real.bin").string();
    std::ofstream(real) << "bytes";
    const std::string fifo = (files.path() / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct {
        const char* name;
        std::string path;
        HRESULT hr;
    } cases[] = {
        {"missing file", (files.path() / "missing.bin").string(), HRESULT_FROM_WIN32(2)},
        {"a directory", dir, E_ACCESSDENIED},
        {"a FIFO", fifo, E_ACCESSDENIED},
        {"over 64 MiB", big, HRESULT_FROM_WIN32(223)},
        {"no name", "", E_INVALIDARG},
        // The part before the NUL names a file that exists: it must not be read instead.
        {"a NUL inside the name", real + std::string("\0.sig", 5), E_INVALIDARG},
    };
    for (auto& c : cases) {
        BStr result;
        EXPECT_EQ(EncodeFileBySlot(c.path, &result), c.hr) << c.name;
        EXPECT_EQ(result.get(), nullptr) << c.name;
    }
    BStr out;
    EXPECT_EQ(object->EncodeFile(nullptr, out.put()), E_POINTER);
}

TEST_F(Base64Lib, TextAndDecodeThroughTheInterface) {
    BStr result;
    ASSERT_EQ(object->EncodeText(BStr(u"Zo\u00EB").get(), result.put()), S_OK);
    EXPECT_EQ(result.ToUtf8(), "Wm/r");  // the ANSI bytes 5A 6F EB

    std::string path = (files.path() / "out.bin").string();
    File("out.bin", "old content that is longer");
    ASSERT_EQ(object->DecodeToFile(BStr(u"AP/+EIA=").get(), BStr::FromUtf8(path).get()), S_OK);
    EXPECT_EQ(testing_support::ReadFile(path), std::string("\x00\xFF\xFE\x10\x80", 5));

    const char16_t* bad[] = {u"@@@@", u"Zg=", u"Z", u"Zg==Zg=="};
    for (const char16_t* text : bad)
        EXPECT_EQ(object->DecodeToFile(BStr(text).get(), BStr::FromUtf8(path).get()), E_INVALIDARG)
            << text::ToUtf8(text);
    EXPECT_EQ(object->DecodeToFile(BStr(u"Zg==").get(), BStr::FromUtf8(files.str() + "/no/dir/x").get()),
              HRESULT_FROM_WIN32(2));
}

TEST_F(Base64Lib, SameMethodsThroughIDispatch) {
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(object.As(IID_IDispatch, &dispatch), S_OK);
    std::u16string name = u"encodefile";
    LPOLESTR names[] = {name.data()};
    DISPID id = 0;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, base64lib::kDispEncodeFile);

    // The file name by reference, as a script host passes its variable.
    BSTR fileName = SysAllocString(text::FromUtf8(File("d.bin", "foobar")).c_str());
    VARIANT arg;
    arg.vt = VT_BYREF | VT_BSTR;
    arg.pbstrVal = &fileName;
    DISPPARAMS params{&arg, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    ASSERT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, &info, nullptr), S_OK);
    EXPECT_EQ(text::ToUtf8(text::View(result.bstrVal)), "Zm9vYmFy");
    VariantClear(&result);

    // A missing file: DISP_E_EXCEPTION carrying the HRESULT and the path.
    SysFreeString(fileName);
    fileName = SysAllocString(u"/nonexistent/file.bin");
    ASSERT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, &info, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, HRESULT_FROM_WIN32(2));
    EXPECT_NE(text::ToUtf8(text::View(info.bstrDescription)).find("/nonexistent/file.bin"),
              std::string::npos);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(fileName);

    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(u"foo");
    DISPPARAMS one{&text, nullptr, 1, 0};
    ASSERT_EQ(dispatch->Invoke(base64lib::kDispEncodeText, IID_NULL, 0, DISPATCH_METHOD, &one, &result,
                               nullptr, nullptr),
              S_OK);
    EXPECT_EQ(text::ToUtf8(text::View(result.bstrVal)), "Zm9v");
    VariantClear(&result);
    VariantClear(&text);
}

TEST(Base64LibModule, RegistrationRoundTripAndUnloading) {
    testing_support::ScopedPrefix prefix;
    ASSERT_NE(Module(), nullptr) << loader::LastError();
    const std::string classKey = std::string("CLSID\\") + base64lib::kClsid;
    ASSERT_EQ(CallExport("DllRegisterServer"), S_OK);
    EXPECT_EQ(ClassesString("Base64Lib.Base64\\CLSID", nullptr), base64lib::kClsid);
    EXPECT_EQ(ClassesString(classKey + "\\ProgID", nullptr), "Base64Lib.Base64");
    EXPECT_EQ(ClassesString(classKey + "\\InprocServer32", nullptr),
              std::filesystem::canonical(kModule).string());
    EXPECT_EQ(ClassesString(classKey + "\\InprocServer32", "ThreadingModel"), "Apartment");

    ASSERT_EQ(CallExport("DllUnregisterServer"), S_OK);
    EXPECT_EQ(ClassesString("Base64Lib.Base64\\CLSID", nullptr), "(missing)");
    EXPECT_EQ(ClassesString(classKey, nullptr), "(missing)");
    EXPECT_EQ(CallExport("DllUnregisterServer"), S_OK);  // missing counts as removed

    auto canUnload = loader::Lookup<PFN_DllCanUnloadNow>(Module(), "DllCanUnloadNow");
    auto getClassObject = loader::Lookup<PFN_DllGetClassObject>(Module(), "DllGetClassObject");
    ASSERT_TRUE(canUnload && getClassObject);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(MakeGuid(base64lib::kClsid), IID_IClassFactory, factory.put_void()), S_OK);
    EXPECT_EQ(canUnload(), S_OK);
    ComPtr<IUnknown> instance;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, instance.put_void()), S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);
    instance.Reset();
    EXPECT_EQ(canUnload(), S_OK);
}

}  // namespace
