#include "signer/modGeneral.h"

#include "platform/crypt/system_message.h"
#include "platform/runtime/date_format.h"
#include "platform/text/codepage.h"
#include "signer/component_folder.h"
#include "signer/globals.h"

namespace signer::modGeneral {

namespace {

constexpr const char* kErrorLogName = "\\SignerErrorLog.txt";
constexpr const char* kTraceLogName = "/SignerTrace.txt";

constexpr std::u16string_view kBannerRule =
    u"-------------------------------------------------------------------";
constexpr std::u16string_view kBannerStarted =
    u"----------------Tracing for this iteration is started.-------------";
constexpr std::u16string_view kBannerClosed =
    u"----------------Tracing for this iteration is closed.--------------";
constexpr std::u16string_view kLineBreak = u"\r\n";

constexpr DWORD kMessageBufferSize = 256;

// "<date> <time>", the date read before the time.
std::u16string Stamp() {
    std::u16string date = runtime::DateStamp();
    std::u16string time = runtime::TimeStamp();
    return date + u" " + time;
}

// A banner block as one piece of text, so that it is written with one append.
std::u16string Banner(std::u16string_view sentence) {
    std::u16string block(kBannerRule);
    block += kLineBreak;
    block += sentence;
    block += kLineBreak;
    block += kBannerRule;
    return block;
}

void DropTraceFile() noexcept { gintTraceFile = runtime::AppendFile(); }

}  // namespace

void LogError(LONG code, std::u16string_view description) {
    std::string number = std::to_string(code);
    std::u16string line = u"\"" + Stamp() + u" " + std::u16string(number.begin(), number.end()) + u"   ";
    line += description;
    line += u"\"";
    runtime::AppendFile file;
    file.Open(ComponentFolder() + kErrorLogName);
    file.PrintLine(line);
    file.Close();
}

std::u16string GetSystemErrorText(DWORD code) {
    char buffer[kMessageBufferSize];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  code, 0, buffer, kMessageBufferSize, nullptr);
    if (length == 0) return {};
    return text::FromAnsi(std::string_view(buffer, length));
}

bool TraceOpen() {
    if (!gblnTrace) return true;
    try {
        gintTraceFile.Open(ComponentFolder() + kTraceLogName);
        gintTraceFile.PrintLine(Banner(kBannerStarted));
        return true;
    } catch (...) {
        DropTraceFile();
        return false;
    }
}

bool TraceWrite(std::u16string_view message) {
    if (!gblnTrace) return true;
    try {
        std::u16string line = Stamp() + u" ";
        line += message;
        gintTraceFile.PrintLine(line);
        return true;
    } catch (...) {
        return false;
    }
}

bool TraceClose() {
    if (!gblnTrace) return true;
    try {
        gintTraceFile.PrintLine(Banner(kBannerClosed));
        gintTraceFile.Close();
        return true;
    } catch (...) {
        DropTraceFile();
        return false;
    }
}

}  // namespace signer::modGeneral
