#include "tests/signing/shell_fixture.h"

#include <stdexcept>

#include "platform/framework/registry_util.h"
#include "tests/signing/signing_client.h"

namespace testing_support {

SigningModule::SigningModule() : path_(SigningModulePath()), module_(LoadLibraryA(path_.c_str())) {
    if (module_ == nullptr) throw std::runtime_error(loader::LastError());
    resources_ = framework::ResourcesOf(module_);
    if (resources_ == nullptr) throw std::runtime_error("Signing.so serves no resource table");
}

SigningModule::~SigningModule() { FreeLibrary(module_); }

HRESULT SigningModule::Register() const {
    return loader::Lookup<PFN_DllRegisterServer>(module_, "DllRegisterServer")();
}

HRESULT SigningModule::Unregister() const {
    return loader::Lookup<PFN_DllUnregisterServer>(module_, "DllUnregisterServer")();
}

HRESULT SigningModule::CanUnloadNow() const {
    return loader::Lookup<PFN_DllCanUnloadNow>(module_, "DllCanUnloadNow")();
}

HRESULT SigningModule::GetClassObject(REFCLSID clsid, REFIID iid, void** object) const {
    return loader::Lookup<PFN_DllGetClassObject>(module_, "DllGetClassObject")(clsid, iid, object);
}

namespace {

void DumpInto(const std::string& path, RegistryDump* dump) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    auto& values = (*dump)[path];
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name, type = 0;
        BYTE data[1024];
        DWORD dataSize = sizeof data;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        values[std::string(name, nameSize)] = type == REG_SZ ? std::string(reinterpret_cast<char*>(data)) : "?";
    }
    RegCloseKey(key);
    for (const std::string& sub : framework::reg::SubKeys(HKEY_CLASSES_ROOT, path)) DumpInto(path + "\\" + sub, dump);
}

}  // namespace

RegistryDump DumpClassesRoot(const std::string& path) {
    RegistryDump dump;
    DumpInto(path, &dump);
    return dump;
}

std::optional<std::string> ReadClassesRoot(const std::string& key, const char* valueName) {
    return framework::reg::ReadString(HKEY_CLASSES_ROOT, key, valueName);
}

bool ClassesRootKeyExists(const std::string& key) { return framework::reg::KeyExists(HKEY_CLASSES_ROOT, key); }

void WriteClassesRoot(const std::string& key, const char* valueName, const std::string& data) {
    ASSERT_EQ(framework::reg::SetString(HKEY_CLASSES_ROOT, key, valueName, data), ERROR_SUCCESS) << key;
}

}  // namespace testing_support
