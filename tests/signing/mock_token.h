// The scriptable test Cryptoki module, named in a fresh registry as the control's module and
// loaded into the test process as well, so the test can script it and read its call log.
#pragma once

#include <string>
#include <vector>

#include "platform/loader/loader.h"
#include "tests/fakes/mock_cryptoki_api.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

std::string MockModulePath(const char* variant = "mock_cryptoki");

// Writes HKLM\SOFTWARE\OVREL\SIGN\SigningComponent.
void SetSigningComponent(const std::string& moduleName);

class MockToken {
public:
    explicit MockToken(const char* variant = "mock_cryptoki");
    ~MockToken();

    mock_p11_reset_fn reset;
    mock_p11_set_rv_fn setRv;
    mock_p11_push_rv_fn pushRv;
    mock_p11_set_slots_fn setSlots;
    mock_p11_push_slot_count_fn pushSlotCount;
    mock_p11_set_pin_fn setPin;
    mock_p11_set_objects_fn setObjects;
    mock_p11_set_certificate_fn setCertificate;
    mock_p11_set_reported_cert_length_fn setReportedCertLength;
    mock_p11_set_signature_length_fn setSignatureLength;

    // The calls received since the last ClearLog, one "C_Name(args)" per entry.
    std::vector<std::string> Calls() const;
    // Only the function names, in order.
    std::vector<std::string> Names() const;
    void ClearLog();

    const TempDir& dir() const { return prefix_.dir(); }

private:
    ScopedPrefix prefix_;
    HMODULE module_;
    mock_p11_log_fn log_;
    mock_p11_clear_log_fn clearLog_;
};

}  // namespace testing_support
