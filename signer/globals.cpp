#include "signer/globals.h"

namespace signer {

thread_local LONG glngErrorNumber = 0;
thread_local bool gblnTrace = false;
thread_local runtime::AppendFile gintTraceFile;

void ResetComponentStateForTesting() {
    glngErrorNumber = 0;
    gblnTrace = false;
    gintTraceFile = runtime::AppendFile();
}

}  // namespace signer
