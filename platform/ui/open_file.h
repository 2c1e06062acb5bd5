// The Open-file dialog: asks the user for the path of one file.
#pragma once

#include <string>

#include "platform/com/types.h"

namespace ui {

// Flags as the Open dialog knows them; they are recorded, the backends need none of them.
inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

struct OpenFileRequest {
    std::string title;     // empty: "Open"
    std::string filter;    // "(*.pfx)|*.pfx|(*.p12)|*.p12": pairs of description and pattern
    DWORD flags = 0;
    std::string fileName;  // proposed name
};

enum class OpenFileOutcome { Chosen, Cancelled, NotShown };

struct OpenFileResult {
    OpenFileOutcome outcome = OpenFileOutcome::NotShown;
    std::string path;  // when Chosen
};

// Shows the Open dialog through the process's UI backend; one transcript line records it.
OpenFileResult ShowOpenFileDialog(const OpenFileRequest& request);

}  // namespace ui
