#pragma once
// Finding the program's top-level windows from the driver process, and bounded polling.

#include <windows.h>

#include <string>
#include <vector>

// Interval of every polling loop: short, so a test waits only as long as the program needs.
inline constexpr DWORD kPollMs = 10;

// Calls probe until it yields something truthy or timeoutMs have passed; returns the last
// result. Never waits longer than timeoutMs plus one interval.
template <class Probe> auto PollFor(Probe probe, DWORD timeoutMs) -> decltype(probe()) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        auto result = probe();
        if (result || GetTickCount64() >= deadline)
            return result;
        Sleep(kPollMs);
    }
}

// Visible top-level dialog-class (#32770) windows of the process.
std::vector<HWND> VisibleDialogsOf(DWORD pid);

// A message box: a dialog-class window with its text in the static control 0xFFFF.
bool IsMessageBox(HWND window);

// The visible main dialog of the process: the dialog without owner that holds the text
// language list.
HWND FindMainDialog(DWORD pid);

// A visible message box of the process owned by owner (any owner when owner is null).
HWND FindMessageBox(DWORD pid, HWND owner);

struct MessageBoxView {
    std::wstring caption;
    std::wstring text;
};

MessageBoxView ReadMessageBox(HWND box);

// Presses the box's button with this id (1 OK, 6 Yes, 7 No) without waiting for the box to
// go; false when the box has no such button.
bool PressMessageBoxButton(HWND box, int buttonId);

// The window's text through WM_GETTEXT, bounded in time.
std::wstring WindowText(HWND window);
