#pragma once
// Reads and operates the controls of a dialog of the program from the driver process, the
// way a user would: selections are followed by the notification the list itself would send.

#include <windows.h>

#include <string>
#include <vector>

class DialogDriver {
public:
    // How long an operation may take before the program counts as hung.
    static constexpr DWORD kSendTimeoutMs = 10000;

    explicit DialogDriver(HWND dialog) : m_dialog(dialog) {}

    HWND Handle() const { return m_dialog; }
    DWORD Pid() const;
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    bool IsOpen() const { return IsWindow(m_dialog) && IsWindowVisible(m_dialog); }

    std::wstring Caption() const;
    std::wstring Text(int id) const;
    int ComboCount(int id) const;
    int ComboSelection(int id) const; // -1 for none
    std::vector<std::wstring> ComboEntries(int id) const;
    std::wstring ComboSelectedText(int id) const;
    int ComboIndexOf(int id, const std::wstring& entry) const; // first equal entry, or -1
    bool IsChecked(int id) const;
    bool IsShown(int id) const;
    RECT WindowRect() const;

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

private:
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok,
                 DWORD timeoutMs = kSendTimeoutMs) const;

    HWND m_dialog;
};
