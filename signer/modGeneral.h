// The component's error log "SignerErrorLog.txt" and trace log "SignerTrace.txt", both in the
// component's folder, in the ANSI code page, every line ending with CR LF.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/types.h"

namespace signer::modGeneral {

// Appends "\"<date> <time> <code>   <description>\"" to the error log, whatever the trace
// switch; the file is opened and closed again for this one line, which lands with one write.
// A failure to open or write the log raises a run-time error (runtime::Error) to the caller.
void LogError(LONG code, std::u16string_view description);

// The system's message for an error code, CR LF included; empty when there is none or it does
// not fit in 256 characters.
std::u16string GetSystemErrorText(DWORD code);

// While tracing is off each of these returns true and touches no file. While it is on:
// TraceOpen opens the trace log and writes the start banner; TraceWrite appends
// "<date> <time> <message>"; TraceClose writes the end banner and closes the log.
// Any failure, including writing while no trace log is open, returns false.
bool TraceOpen();
bool TraceWrite(std::u16string_view message);
bool TraceClose();

}  // namespace signer::modGeneral
