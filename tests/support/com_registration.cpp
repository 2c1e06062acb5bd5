#include "tests/support/com_registration.h"

#include <openssl/evp.h>

#include <stdexcept>
#include <vector>

#include "platform/com/interfaces.h"
#include "platform/loader/loader.h"
#include "platform/registry/registry.h"

namespace testing_support {

void RegisterModule(const std::string& modulePath) {
    HMODULE module = LoadLibraryA(modulePath.c_str());
    if (module == nullptr) throw std::runtime_error(loader::LastError());
    auto reg = loader::Lookup<PFN_DllRegisterServer>(module, "DllRegisterServer");
    if (reg == nullptr || FAILED(reg())) throw std::runtime_error("DllRegisterServer failed: " + modulePath);
}

namespace {
void SetDefault(const std::string& key, const std::string& value) {
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + key);
    LONG rc = RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1));
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot set " + key);
}
}  // namespace

void RegisterClassEntries(const std::string& progId, const std::string& clsid, const std::string& modulePath) {
    SetDefault(progId + "\\CLSID", clsid);
    SetDefault("CLSID\\" + clsid + "\\InprocServer32", modulePath);
}

std::string Base64Of(const std::string& bytes) {
    std::vector<unsigned char> out(4 * ((bytes.size() + 2) / 3) + 1);
    int n = EVP_EncodeBlock(out.data(), reinterpret_cast<const unsigned char*>(bytes.data()),
                            static_cast<int>(bytes.size()));
    return std::string(reinterpret_cast<char*>(out.data()), n);
}

std::string BytesOfBase64(const std::string& text) {
    std::vector<unsigned char> out(3 * (text.size() / 4) + 3);
    int n = EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(text.data()),
                            static_cast<int>(text.size()));
    if (n < 0) throw std::runtime_error("not base64: " + text);
    size_t pad = 0;
    if (!text.empty() && text.back() == '=') ++pad;
    if (text.size() > 1 && text[text.size() - 2] == '=') ++pad;
    return std::string(reinterpret_cast<char*>(out.data()), n - pad);
}

}  // namespace testing_support
