// What reg says: the success line and one line per failure, each text written once here.
#pragma once

#include <string>

#include "platform/com/types.h"

namespace reg {

inline constexpr const char* kUsage =
    "Usage:\n"
    "  reg query  KEY [/v NAME | /ve] [/s]\n"
    "  reg add    KEY [/v NAME | /ve] [/t REG_SZ|REG_EXPAND_SZ|REG_DWORD|REG_BINARY] [/d DATA] [/f]\n"
    "  reg delete KEY [/v NAME | /ve] [/f]\n"
    "KEY: HKLM\\..., HKEY_LOCAL_MACHINE\\..., HKCR\\... or HKEY_CLASSES_ROOT\\...\n";

// Each prints its line (success to stdout, failures to stderr) and returns the exit status.
int Succeeded();
int RegistryFailed(LONG code);
int SyntaxFailed(const std::string& detail);
int InvalidKeyName();
int Cancelled();
int Crashed(const char* what);

}  // namespace reg
