#pragma once
// Operates the program's windows from the driver process as a player and an outside tool
// would, with real key presses and clicks (keybd_event, mouse_event) that reach its
// DirectInput devices. Every wait is bounded.

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
inline constexpr auto RowCombo = [](int row) { return IDC_RENDERING_COMBO_FIRST + row; };
inline constexpr auto RowLabel = [](int row) { return IDC_RENDERING_LABEL_FIRST + row; };

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view utf8);

// The window's text through WM_GETTEXT, bounded in time.
std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
std::vector<HWND> Children(HWND parent); // in z-order
// In the parent's client coordinates (screen coordinates without one).
RECT RectIn(HWND parent, HWND control);

// The window's child windows in z-order as an outside tool sees them, one line each (id, class,
// styles, visibility, client rectangle, font, text, and a list's entries with the selected one
// starred), child dialogs indented below theirs; UTF-8, led by the window's size, style and
// caption. The texts of the controls in elided (the machine's display modes) are left out.
std::string WindowTree(HWND window, const std::vector<int>& elided = {});

// What breaks the layout rules in window and its child dialogs, one line per fault naming the
// controls (empty when nothing does): visible children that overlap (but for the pages on a
// tab control and what a group box frames) or leave their parent's client area, texts that do
// not fit their control on one line (or wrapped, where it can), a prefix without Wine's fonts.
std::string LayoutFaults(HWND window);

// The text of each tool of the program's tooltips that owner owns, by the tool's window.
std::map<HWND, std::wstring> ToolTips(HWND owner);

struct BoxView {
    std::wstring caption, text;
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
    // The window that has the focus in the program's thread.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info) ? info.hwndFocus
                                                                                    : nullptr;
    }

    int Count(int id) const { return static_cast<int>(Send(Item(id), CB_GETCOUNT)); }
    int Selection(int id) const { return static_cast<int>(Send(Item(id), CB_GETCURSEL)); }
    std::vector<std::wstring> Entries(int comboId) const;
    std::wstring SelectedText(int id) const {
        const auto entries = Entries(id);
        const size_t selected = static_cast<size_t>(Selection(id));
        return selected < entries.size() ? entries[selected] : L"<none>";
    }
    // The rendering rows' selected entries as one line.
    std::string Rows() const {
        std::string line;
        for (int i = 0; i < kRowCount; ++i)
            line += (i ? " " : "") + std::to_string(Selection(RowCombo(i)));
        return line;
    }
    bool IsChecked(int id) const { return Send(Item(id), BM_GETCHECK) == BST_CHECKED; }
    bool IsShown(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    RECT Rect() const { return RectIn(nullptr, m_window); }
    RECT ControlRect(int id) const { return RectIn(m_window, Item(id)); }
    // The centre, in screen coordinates.
    POINT Centre() const {
        const RECT rect = Rect();
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    // These wait until the program has handled them and must not open a modal window. A
    // choice is CB_SETCURSEL followed by the notification the list itself would send.
    bool Choose(int id, int index) {
        return Send(Item(id), CB_SETCURSEL, index) == index && Notify(id, CBN_SELCHANGE);
    }
    bool ChooseText(int id, const std::wstring& entry) {
        const auto entries = Entries(id);
        const auto found = std::ranges::find(entries, entry);
        return found != entries.end() && Choose(id, static_cast<int>(found - entries.begin()));
    }
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
    bool SelectTab(int index) {
        Send(Item(IDC_INPUT_TABS), TCM_SETCURFOCUS, index);
        return SelectedTab() == index;
    }

    // A player's double click on the field.
    bool DoubleClickField(int page, int editId) const;
    // Holds the key (a DirectInput scan code) until done() or timeoutMs, nudging the field.
    bool HoldKey(int editId, BYTE scanCode, const std::function<bool()>& done,
                 DWORD timeoutMs = kWaitMs) const;
    // The same with a mouse button (MOUSEEVENTF_LEFTDOWN ...) at a screen point.
    bool HoldButton(int editId, POINT at, DWORD downFlag, DWORD upFlag,
                    const std::function<bool()>& done, DWORD timeoutMs = kWaitMs) const;
    // A player's click on an editor button: the pointer arrives (ending a block that has run
    // out), then the click.
    bool ClickButton(int id) const;

private:
    Editor(HWND editor, std::vector<HWND> pages) : Window(editor), m_pages(std::move(pages)) {}
    std::vector<HWND> m_pages;
};
