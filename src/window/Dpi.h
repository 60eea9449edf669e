#pragma once
// The program's own pixel values (run-time rectangles, button positions, layout sizes) are
// given for 96 DPI and scaled to the DPI of the window they are used in, so that at 96 DPI
// each is exactly the value given. Controls of the dialog templates scale with the dialog's
// font by themselves.

#include <windows.h>

inline constexpr UINT kBaseDpi = 96;

// The DPI of window's monitor; the system's DPI where the system cannot tell per window
// (before Windows 10 version 1607).
UINT WindowDpi(HWND window);

// A 96-DPI pixel value at dpi, rounded as MulDiv rounds.
inline int ScaleToDpi(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}
