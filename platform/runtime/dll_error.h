// The last system error code as the runtime records it right after each system call that a
// component makes (the component calls RecordLastDllError, or wraps the call in DllCall). It is
// kept per thread and changes only when a call is recorded, so clean-up calls made afterwards do
// not disturb it.
#pragma once

#include "platform/com/types.h"
#include "platform/text/codepage.h"

namespace runtime {

DWORD LastDllError();
void RecordLastDllError();

// Records the thread's last error code after the call whose result is passed in.
template <class Result>
Result DllCall(Result result) {
    RecordLastDllError();
    return result;
}

}  // namespace runtime
