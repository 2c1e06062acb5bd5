// The command line of reg: a verb, a key and options.
//   reg query  KEY [/v NAME | /ve] [/s]
//   reg add    KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]
//   reg delete KEY [/v NAME | /ve] [/f]
// Options are case-insensitive and may start with "/" or "-".
#pragma once

#include <optional>
#include <string>

#include "platform/registry/registry.h"

namespace reg {

enum class Verb { Query, Add, Delete, Help };

struct Arguments {
    Verb verb = Verb::Help;
    std::string keyText;  // the key as typed, without a trailing "\"
    HKEY root = nullptr;
    std::string subKey;
    std::optional<std::string> valueName;  // "" for /ve
    std::optional<std::string> typeName;   // as typed after /t
    std::optional<std::string> data;
    bool force = false;
    bool recursive = false;
};

// False with a reason when the command line is not one of the forms above.
bool ParseArguments(int argc, char** argv, Arguments* out, std::string* error);

}  // namespace reg
