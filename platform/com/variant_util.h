// Helpers around VARIANT for code that receives arguments by reference.
#pragma once

#include "platform/com/types.h"

namespace com {

// The plain value a variant stands for, following VT_BYREF (through a VT_BYREF|VT_VARIANT to
// the variant it points at, and on through that one's reference). *view is not a copy: a BSTR or
// interface in it still belongs to src.
HRESULT ValueView(const VARIANT* src, VARIANT* view);

// Stores a copy of value where a caller's by-reference argument says: through the pointer when
// target is VT_BYREF|X (value converted to X, the old value released), into the pointed-at variant
// when target is VT_BYREF|VT_VARIANT, or into target itself otherwise.
HRESULT AssignVariant(VARIANT* target, const VARIANT& value);

}  // namespace com
