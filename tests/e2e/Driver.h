#pragma once
// Operates the program's windows as a player (keys and clicks DirectInput sees) and a tool would.

#include <windows.h>
#include <commctrl.h>

#include "resource.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

inline constexpr DWORD kPollMs = 10;
inline constexpr DWORD kWaitMs = 10000; // the bound of every wait on the program

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

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
std::vector<HWND> Children(HWND parent); // in z-order
// In the parent's client coordinates (screen coordinates without one).
RECT RectIn(HWND parent, HWND control);

// The window, then a line per child as an outside tool sees it (without the display modes).
std::string WindowTree(HWND window);

// A line per break of the layout rules (LayoutRules.cpp) in window and its child dialogs.
std::string LayoutFaults(HWND window);

// How many tools the program's tooltips that owner owns have, and the text of tool's.
std::pair<LRESULT, std::wstring> ToolTip(HWND owner, HWND tool);

std::vector<HWND> DialogsOf(DWORD pid);
// A visible message box of the process owned by owner (any owner when null).
HWND FindMessageBox(DWORD pid, HWND owner);
std::string ReadMessageBox(HWND box); // "caption: text"

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
        GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info);
        return info.hwndFocus;
    }

    int Count(int id) const { return static_cast<int>(Send(Item(id), CB_GETCOUNT)); }
    int Selection(int id) const { return static_cast<int>(Send(Item(id), CB_GETCURSEL)); }
    std::vector<std::wstring> Entries(int comboId) const;
    std::wstring SelectedText(int id) const {
        const auto entries = Entries(id);
        const size_t selected = static_cast<size_t>(Selection(id));
        return selected < entries.size() ? entries[selected] : L"<none>";
    }
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
    POINT Centre() const {
        const RECT rect = Rect();
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    // Sent, so they must not open a modal window; a choice notifies as the list itself would.
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

    // Waits for the program's message box (owned by this window if owned), answers it, sees it go.
    std::optional<std::string> AnswerBox(int buttonId, bool owned = true) const;

    // Sends with a time-out; -1 when the program did not answer.
    static LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                        DWORD timeoutMs = kWaitMs) {
        DWORD_PTR result = 0;
        return window && SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL,
                                             timeoutMs, &result)
                   ? static_cast<LRESULT>(result)
                   : -1;
    }

private:
    HWND m_window;
};

// The input editor over the main window, with its keyboard page (0) and gamepad page (1).
class Editor : public Window {
public:
    static std::optional<Editor> Open(const Window& main);

    HWND Page(int page) const { return m_pages[page]; }
    HWND Field(int page, int editId) const { return GetDlgItem(m_pages[page], editId); }
    int SelectedTab() const { return static_cast<int>(Send(Item(IDC_INPUT_TABS), TCM_GETCURSEL)); }
    // TCM_SETCURFOCUS, as a click on the tab: the control notifies the editor itself.
    bool SelectTab(int index) {
        Send(Item(IDC_INPUT_TABS), TCM_SETCURFOCUS, index);
        return SelectedTab() == index;
    }

    bool DoubleClickField(int page, int editId) const;
    // Holds the key (a DirectInput scan code) until done() or timeoutMs, nudging the field.
    bool HoldKey(int editId, BYTE scanCode, const std::function<bool()>& done,
                 DWORD timeoutMs = kWaitMs) const;
    // The same with a mouse button (MOUSEEVENTF_LEFTDOWN ...) at a screen point.
    bool HoldButton(int editId, POINT at, DWORD downFlag, const std::function<bool()>& done,
                    DWORD timeoutMs = kWaitMs) const;
    // A player's click: the pointer arrives (ending a block that has run out), then the click.
    bool ClickButton(int id) const;

private:
    Editor(HWND editor, std::vector<HWND> pages) : Window(editor), m_pages(std::move(pages)) {}
    std::vector<HWND> m_pages;
};
