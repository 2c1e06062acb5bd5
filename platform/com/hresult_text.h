// Short English descriptions of the object model's result codes, for hosts and error messages.
#pragma once

#include <string>

#include "platform/com/types.h"

namespace com {

// "Class not registered" for REGDB_E_CLASSNOTREG and so on; "Error 0xHHHHHHHH" for a code not
// in the table.
std::string DescribeHResult(HRESULT hr);
// The constant's name ("REGDB_E_CLASSNOTREG"), or empty for a code not in the table.
std::string HResultName(HRESULT hr);
// "0xHHHHHHHH", upper-case hex.
std::string HexHResult(HRESULT hr);

}  // namespace com
