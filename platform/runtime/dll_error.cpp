#include "platform/runtime/dll_error.h"

namespace runtime {

namespace {
thread_local DWORD t_lastDllError = 0;
}

DWORD LastDllError() { return t_lastDllError; }

void RecordLastDllError() { t_lastDllError = GetLastError(); }

}  // namespace runtime
