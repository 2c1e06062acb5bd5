// One CALL of the command line: `Method`, `Method(arg, ...)`, `#N` or `#N(arg, ...)`.
// Arguments: JSON strings, decimal integers, True, False (either in any case).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/com/types.h"

namespace comcall {

struct Argument {
    enum class Kind { Text, Integer, Boolean } kind;
    std::u16string text;
    long long integer = 0;
    bool boolean = false;
};

struct Call {
    std::string label;          // as written, for the output: "Method" or "#N"
    std::string name;           // empty when the DISPID is given
    std::optional<DISPID> id;   // from #N
    std::vector<Argument> args; // first to last
};

// false with a message when the text is not a CALL.
bool ParseCall(const std::string& text, Call* call, std::string* error);

}  // namespace comcall
