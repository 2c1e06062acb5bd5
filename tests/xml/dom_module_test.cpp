// The module's exports: registration, class object, unloading.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/com/creation.h"
#include "platform/loader/loader.h"
#include "platform/registry/registry.h"
#include "tests/xml/dom_fixture.h"

namespace {

using DomModule = DomTest;

HMODULE Module() {
    static HMODULE module = LoadLibraryA(XMLDOM_MODULE);
    return module;
}

template <class Fn>
Fn Export(const char* name) {
    Fn fn = loader::Lookup<Fn>(Module(), name);
    EXPECT_NE(fn, nullptr) << name;
    return fn;
}

// A string value under HKEY_CLASSES_ROOT; nullopt when the key or value is missing.
std::optional<std::string> ClassesValue(const std::string& path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<std::string> value;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::vector<BYTE> data(size + 1, 0);
        if (RegQueryValueExA(key, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS)
            value = reinterpret_cast<const char*>(data.data());
    }
    RegCloseKey(key);
    return value;
}

TEST_F(DomModule, RegistersAndUnregistersTheDocumentClass) {
    const std::string server = std::string("CLSID\\") + kDomDocumentClsid + "\\InprocServer32";
    ASSERT_EQ(Export<PFN_DllRegisterServer>("DllRegisterServer")(), S_OK);
    std::optional<std::string> path = ClassesValue(server, nullptr);
    ASSERT_TRUE(path);
    EXPECT_TRUE(std::filesystem::equivalent(*path, XMLDOM_MODULE)) << *path;
    EXPECT_EQ(ClassesValue(server, "ThreadingModel"), "Both");
    EXPECT_EQ(ClassesValue(std::string(kDomDocumentProgId) + "\\CLSID", nullptr), kDomDocumentClsid);

    ASSERT_EQ(Export<PFN_DllUnregisterServer>("DllUnregisterServer")(), S_OK);
    EXPECT_FALSE(ClassesValue(server, nullptr));
    EXPECT_FALSE(ClassesValue(std::string(kDomDocumentProgId) + "\\CLSID", nullptr));
    com::ComPtr<IXMLDOMDocument> doc;
    EXPECT_EQ(CoCreateInstance(MakeGuid(kDomDocumentClsid), nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                               doc.put_void()),
              REGDB_E_CLASSNOTREG);
}

TEST_F(DomModule, ServesOnlyTheDocumentClassAndUnloadsWhenIdle) {
    auto getClassObject = Export<PFN_DllGetClassObject>("DllGetClassObject");
    auto canUnload = Export<PFN_DllCanUnloadNow>("DllCanUnloadNow");
    com::ComPtr<IClassFactory> factory;
    EXPECT_EQ(getClassObject(MakeGuid("{00000000-0000-0000-0000-000000000001}"), IID_IClassFactory,
                             factory.put_void()),
              CLASS_E_CLASSNOTAVAILABLE);
    ASSERT_EQ(getClassObject(MakeGuid(kDomDocumentClsid), IID_IClassFactory, factory.put_void()), S_OK);
    EXPECT_EQ(canUnload(), S_OK);  // a factory alone does not hold the module

    com::ComPtr<IXMLDOMDocument> doc;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IXMLDOMDocument, doc.put_void()), S_OK);
    ASSERT_TRUE(Load(doc.get(), std::string("<doc/>")));
    com::ComPtr<IXMLDOMElement> root = Root(doc.get());
    doc = nullptr;
    EXPECT_EQ(canUnload(), S_FALSE);  // the element still lives
    root = nullptr;
    EXPECT_EQ(canUnload(), S_OK);

    factory->LockServer(TRUE);
    EXPECT_EQ(canUnload(), S_FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(canUnload(), S_OK);
}

}  // namespace
