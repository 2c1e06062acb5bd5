#include "platform/com/com_ptr.h"

#include "platform/text/codepage.h"

namespace com {

BStr BStr::FromAnsi(std::string_view ansi) { return BStr(text::FromAnsi(ansi)); }
BStr BStr::FromUtf8(std::string_view utf8) { return BStr(text::FromUtf8(utf8)); }
std::string BStr::ToAnsi() const { return text::ToAnsi(view()); }
std::string BStr::ToUtf8() const { return text::ToUtf8(view()); }

}  // namespace com
