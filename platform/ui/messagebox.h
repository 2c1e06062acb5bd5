// Message boxes, shown through the process's one UI service (see ui/service.h for backends).
#pragma once

#include "platform/com/types.h"

// Buttons
inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_OKCANCEL = 0x1;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
inline constexpr UINT MB_YESNOCANCEL = 0x3;
inline constexpr UINT MB_YESNO = 0x4;
inline constexpr UINT MB_RETRYCANCEL = 0x5;
// Icons
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONINFORMATION = 0x40;

// Answers; 0 means the box could not be shown.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDCLOSE = 8;

// Shows a modal box and returns the button pressed. Texts are in the ANSI code page.
// The close box (or Escape) answers IDCANCEL where there is a Cancel button, else IDCLOSE... the
// backends document the exact mapping.
int MessageBoxA(void* owner, const char* text, const char* caption, UINT type);
