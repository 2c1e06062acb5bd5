// How comcall writes a value: a JSON string for text, True/False, a decimal number, or
// "(empty)", "(null)", "(object)" for values that have no text.
#pragma once

#include <string>

#include "platform/com/types.h"

namespace comcall {

std::string ValueText(const VARIANT& value);

}  // namespace comcall
