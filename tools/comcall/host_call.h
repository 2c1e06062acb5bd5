// Makes one call on an object the way a script host does: the name resolved with
// GetIDsOfNames, each argument held in a host variable and passed by reference.
#pragma once

#include <string>
#include <vector>

#include "platform/com/interfaces.h"
#include "tools/comcall/call_syntax.h"

namespace comcall {

// The output lines of the call: "Label = VALUE" and "  arg N = VALUE" for each argument (counted
// from 1, first to last) the call changed, or "Label ! 0xHHHHHHHH description". *failed tells
// which.
std::vector<std::string> PerformCall(IDispatch* object, const Call& call, bool* failed);

}  // namespace comcall
