#pragma once
// Finds the program's windows from the driver process and operates them the way a user would:
// selections are followed by the notification the list itself would send, and every wait is
// bounded.

#include <windows.h>

#include <optional>
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

// The visible main dialog of the process: the dialog without owner that holds the text
// language list.
HWND FindMainDialog(DWORD pid);

// A message box is a dialog-class window with its text in the static control 0xFFFF.
bool IsMessageBox(HWND window);
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

// The dialog's child windows in z-order, one line each, as a tool outside the process sees
// them: id, class, style, extended style, shown or hidden, the rectangle in the dialog's client
// coordinates, whether it uses the dialog's font, its text and, for a drop-down list, its
// entries with the selected one starred. The texts and entries of the controls in elided are
// left out (ones that depend on the machine, such as the display modes). UTF-8.
std::string WindowTree(HWND dialog, const std::vector<int>& elided = {});

class DialogDriver {
public:
    // How long an operation may take before the program counts as hung.
    static constexpr DWORD kSendTimeoutMs = 10000;

    explicit DialogDriver(HWND dialog) : m_dialog(dialog) {}

    HWND Handle() const { return m_dialog; }
    DWORD Pid() const;
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    bool IsOpen() const { return IsWindow(m_dialog) && IsWindowVisible(m_dialog); }

    std::wstring Caption() const { return WindowText(m_dialog); }
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    int ComboCount(int id) const;
    int ComboSelection(int id) const; // -1 for none
    std::vector<std::wstring> ComboEntries(int id) const;
    std::wstring ComboSelectedText(int id) const;
    int ComboIndexOf(int id, const std::wstring& entry) const; // first equal entry, or -1
    bool IsChecked(int id) const;
    bool IsShown(int id) const;
    RECT WindowRect() const;
    RECT ClientRect() const;
    // The control's rectangle in the dialog's client coordinates.
    RECT ControlRect(int id) const;

    // The operations below wait until the program has handled them; none of them may open a
    // modal window (use the Post... forms for those).

    // Picks entry index of a drop-down list: CB_SETCURSEL, then CBN_SELCHANGE to the dialog.
    bool Choose(int comboId, int index);
    // A WM_COMMAND notification from the control, as the control would send it.
    bool Notify(int id, WORD code);
    // BM_CLICK: the button's own click handling, then the dialog's command handler.
    // Auto-detect surveys the machine on the dialog's thread and needs a longer wait.
    bool Click(int id, DWORD timeoutMs = kSendTimeoutMs);

    // Posted forms: they return at once.
    bool PostClick(int id);
    bool PostClose();    // WM_CLOSE, as Alt+F4 gives it
    bool PostSysClose(); // SC_CLOSE, as the close box gives it

    // Waits for a message box of the program (only one over this window when owned), reads
    // it, answers it with buttonId and waits for it to close; nullopt when none shows within
    // timeoutMs.
    std::optional<MessageBoxView> AnswerMessageBox(int buttonId, DWORD timeoutMs,
                                                   bool owned = false) const;
    // Waits until the window is gone.
    bool WaitClosed(DWORD timeoutMs) const;

protected:
    static LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok,
                        DWORD timeoutMs = kSendTimeoutMs);

private:
    HWND m_dialog;
};
