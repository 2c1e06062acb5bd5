#include "tests/signing/mock_token.h"

#include <sstream>
#include <stdexcept>

#include "platform/registry/registry.h"

namespace testing_support {

std::string MockModulePath(const char* variant) {
    return std::string(CS_BUILD_DIR) + "/tests/fakes/" + variant + ".so";
}

void SetSigningComponent(const std::string& moduleName) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\OVREL\\SIGN", 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the registry key");
    LONG rc = RegSetValueExA(key, "SigningComponent", 0, REG_SZ, reinterpret_cast<const BYTE*>(moduleName.c_str()),
                             static_cast<DWORD>(moduleName.size() + 1));
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot set the registry value");
}

MockToken::MockToken(const char* variant) {
    std::string path = MockModulePath(variant);
    module_ = LoadLibraryA(path.c_str());
    if (module_ == nullptr) throw std::runtime_error(loader::LastError());
    auto need = [&](const char* name) {
        FARPROC f = GetProcAddress(module_, name);
        if (f == nullptr) throw std::runtime_error(std::string("mock lacks ") + name);
        return f;
    };
    reset = reinterpret_cast<mock_p11_reset_fn>(need("mock_p11_reset"));
    setRv = reinterpret_cast<mock_p11_set_rv_fn>(need("mock_p11_set_rv"));
    pushRv = reinterpret_cast<mock_p11_push_rv_fn>(need("mock_p11_push_rv"));
    setSlots = reinterpret_cast<mock_p11_set_slots_fn>(need("mock_p11_set_slots"));
    pushSlotCount = reinterpret_cast<mock_p11_push_slot_count_fn>(need("mock_p11_push_slot_count"));
    setPin = reinterpret_cast<mock_p11_set_pin_fn>(need("mock_p11_set_pin"));
    setObjects = reinterpret_cast<mock_p11_set_objects_fn>(need("mock_p11_set_objects"));
    setCertificate = reinterpret_cast<mock_p11_set_certificate_fn>(need("mock_p11_set_certificate"));
    setReportedCertLength =
        reinterpret_cast<mock_p11_set_reported_cert_length_fn>(need("mock_p11_set_reported_cert_length"));
    setSignatureLength = reinterpret_cast<mock_p11_set_signature_length_fn>(need("mock_p11_set_signature_length"));
    log_ = reinterpret_cast<mock_p11_log_fn>(need("mock_p11_log"));
    clearLog_ = reinterpret_cast<mock_p11_clear_log_fn>(need("mock_p11_clear_log"));
    reset();
    SetSigningComponent(path);
}

MockToken::~MockToken() {
    reset();
    FreeLibrary(module_);
}

std::vector<std::string> MockToken::Calls() const {
    std::vector<std::string> calls;
    std::istringstream in(log_());
    for (std::string line; std::getline(in, line);) calls.push_back(line);
    return calls;
}

std::vector<std::string> MockToken::Names() const {
    std::vector<std::string> names;
    for (const std::string& call : Calls()) names.push_back(call.substr(0, call.find('(')));
    return names;
}

void MockToken::ClearLog() { clearLog_(); }

}  // namespace testing_support
