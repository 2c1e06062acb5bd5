// The component-wide state. Every object of the component that a host uses on a thread shares
// this one copy; a host thread of its own gets a fresh copy, as apartment-threaded components do.
#pragma once

#include "platform/com/types.h"
#include "platform/runtime/append_file.h"

namespace signer {

// The status code of the latest failure; 0 until the first one, never cleared.
extern thread_local LONG glngErrorNumber;
// The trace switch: false until the host switches tracing on, never switched off again.
extern thread_local bool gblnTrace;
// The trace log while it is open.
extern thread_local runtime::AppendFile gintTraceFile;

// Puts the state back as it is when the component is loaded (closing an open trace log).
void ResetComponentStateForTesting();

}  // namespace signer
