#pragma once
// Operates the program's windows from the driver process as a player and an outside tool
// would, with real key presses and clicks (SendInput) that reach its DirectInput devices.
// Every wait is bounded.

#include <windows.h>
#include <commctrl.h>

#include "resource.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Polling interval, and the bound of every wait on the program.
inline constexpr DWORD kPollMs = 10;
inline constexpr DWORD kWaitMs = 10000;

// Calls probe until it yields something truthy or timeoutMs have passed; the last result.
template <class Probe> auto PollFor(Probe probe, DWORD timeoutMs = kWaitMs) -> decltype(probe()) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        auto result = probe();
        if (result || GetTickCount64() >= deadline)
            return result;
        Sleep(kPollMs);
    }
}

inline constexpr int kRowCount = 20;
inline constexpr int RowCombo(int row) {
    return IDC_RENDERING_COMBO_FIRST + row;
}
inline constexpr int RowLabel(int row) {
    return IDC_RENDERING_LABEL_FIRST + row;
}

class Window;
// The rendering rows' selected entries as one line.
std::string Rows(const Window& window);

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view utf8);

// The window's text through WM_GETTEXT, bounded in time.
std::wstring WindowText(HWND window);

// The window's child windows in z-order, one line each, as an outside tool sees them: id,
// class, style, extended style, shown or hidden, the rectangle in the window's client
// coordinates, whether it uses the window's font, its text, and for a drop-down list its
// entries with the selected one starred; child dialogs (the editor's pages) follow indented.
// The texts of the controls in elided are left out (ones that depend on the machine, such as
// the display modes). UTF-8, led by a line with the window's size, style and caption.
std::string WindowTree(HWND window, const std::vector<int>& elided = {});

// What breaks the layout rules in window and its child dialogs, one line per fault naming the
// controls; empty when nothing does. Among its visible children no two overlap (but for the
// pages laid on a tab control and what a group box frames), each lies inside its parent's
// client area, and the caption of each label, check box, button and edit field, and every
// entry of a list, fits its control on one line (a multi-line button, or a label high enough
// for several lines, may wrap onto them). A prefix without Wine's fonts is a fault too.
std::string LayoutFaults(HWND window);

// The text of each tool of the program's tooltips that owner owns, by the tool's window.
std::map<HWND, std::wstring> ToolTips(HWND owner);

struct BoxView {
    std::wstring caption;
    std::wstring text;
};

// Visible top-level dialog-class windows of the process.
std::vector<HWND> DialogsOf(DWORD pid);
// A visible message box of the process owned by owner (any owner when null).
HWND FindMessageBox(DWORD pid, HWND owner);
BoxView ReadMessageBox(HWND box);

class Window {
public:
    explicit Window(HWND window) : m_window(window) {}

    HWND Handle() const { return m_window; }
    HWND Item(int id) const { return GetDlgItem(m_window, id); }
    DWORD Pid() const {
        DWORD pid = 0;
        GetWindowThreadProcessId(m_window, &pid);
        return pid;
    }
    bool IsOpen() const { return IsWindow(m_window) && IsWindowVisible(m_window); }
    bool WaitClosed() const {
        return PollFor([&] { return !IsWindow(m_window); });
    }
    // The window that has the focus in the program's thread.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info) ? info.hwndFocus
                                                                                    : nullptr;
    }

    std::wstring Caption() const { return WindowText(m_window); }
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    int Count(int id) const { return static_cast<int>(Send(Item(id), CB_GETCOUNT)); }
    int Selection(int id) const { return static_cast<int>(Send(Item(id), CB_GETCURSEL)); }
    std::vector<std::wstring> Entries(int comboId) const;
    std::wstring SelectedText(int id) const {
        const auto entries = Entries(id);
        const size_t selected = static_cast<size_t>(Selection(id));
        return selected < entries.size() ? entries[selected] : L"<none>";
    }
    int IndexOf(int id, const std::wstring& entry) const {
        const auto entries = Entries(id);
        const auto found = std::find(entries.begin(), entries.end(), entry);
        return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
    }
    bool IsChecked(int id) const { return Send(Item(id), BM_GETCHECK) == BST_CHECKED; }
    bool IsShown(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    RECT Rect() const {
        RECT rect{};
        GetWindowRect(m_window, &rect);
        return rect;
    }
    // In the window's client coordinates.
    RECT ControlRect(int id) const {
        RECT rect{};
        GetWindowRect(Item(id), &rect);
        MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // These wait until the program has handled them and must not open a modal window. A
    // choice is CB_SETCURSEL followed by the notification the list itself would send.
    bool Choose(int id, int index) {
        return Send(Item(id), CB_SETCURSEL, index) == index && Notify(id, CBN_SELCHANGE);
    }
    bool ChooseText(int id, const std::wstring& entry) { return Choose(id, IndexOf(id, entry)); }
    bool Notify(int id, WORD code) {
        return Send(m_window, WM_COMMAND, MAKEWPARAM(id, code),
                    reinterpret_cast<LPARAM>(Item(id))) != -1;
    }
    bool Click(int id, DWORD timeoutMs = kWaitMs) {
        return Send(Item(id), BM_CLICK, 0, 0, timeoutMs) != -1;
    }

    // Posted: they return at once.
    bool PostClick(int id) const { return Item(id) && PostMessageW(Item(id), BM_CLICK, 0, 0); }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return PostMessageW(m_window, message, wParam, lParam) != FALSE;
    }

    // Waits for a message box of the program (owned by this window when owned), reads it,
    // answers it and waits for it to go.
    std::optional<BoxView> AnswerBox(int buttonId, bool owned = true) const;

    // Sends with a time-out; -1 when the program did not answer.
    static LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                        DWORD timeoutMs = kWaitMs);

private:
    HWND m_window;
};

// The input editor over the main window, with its keyboard page (0) and gamepad page (1).
class Editor : public Window {
public:
    // Clicks "Input settings" and waits for the editor; nullopt when it does not open.
    static std::optional<Editor> Open(const Window& main);

    HWND Page(int page) const { return m_pages[page]; }
    HWND Field(int page, int editId) const { return GetDlgItem(m_pages[page], editId); }
    std::wstring FieldText(int page, int id) const { return WindowText(Field(page, id)); }
    int SelectedTab() const { return static_cast<int>(Send(Item(IDC_INPUT_TABS), TCM_GETCURSEL)); }
    // TCM_SETCURFOCUS, as a click on the tab: the control notifies the editor itself.
    bool SelectTab(int index);

    // A player's double click on the field.
    bool DoubleClickField(int page, int editId) const;
    // Holds the key (a DirectInput scan code; extended for right Alt, right Ctrl, Delete and
    // the arrows), nudging the field, until done() or timeoutMs; then releases it.
    bool HoldKey(HWND field, WORD scanCode, bool extended, const std::function<bool()>& done,
                 DWORD timeoutMs = kWaitMs) const;
    // The same with a mouse button (MOUSEEVENTF_LEFTDOWN ...) at a screen point.
    bool HoldButton(HWND field, POINT at, DWORD downFlag, DWORD upFlag,
                    const std::function<bool()>& done, DWORD timeoutMs = kWaitMs) const;
    // A player's click on an editor button: the pointer arrives (ending a block that has run
    // out), then the click.
    bool ClickButton(int id) const;

private:
    explicit Editor(HWND editor) : Window(editor) {}
    HWND m_pages[2] = {};
};

// The centre of a window, in screen coordinates.
POINT CentreOf(HWND window);
