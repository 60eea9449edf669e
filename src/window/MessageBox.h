#pragma once
// Message boxes of the program: an owner, a caption and a text, with the system's icons and
// buttons (MB_OK | MB_ICONWARNING, MB_YESNO | MB_ICONEXCLAMATION, MB_OK | MB_ICONSTOP, ...).

#include <windows.h>

#include <string>

// Shows the box modally and returns the button pressed (IDOK, IDYES, IDNO, ...), or 0 when
// the box could not be shown.
int ShowMessageBox(HWND owner, const std::u16string& caption, const std::u16string& text,
                   UINT type);
