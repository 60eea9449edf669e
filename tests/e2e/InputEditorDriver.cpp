#include "InputEditorDriver.h"

#include "ControlIds.h"
#include "TopLevelWindows.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

namespace {

constexpr DWORD kOpenTimeoutMs = 10000;
constexpr DWORD kSendTimeoutMs = 10000;
constexpr int kTabControlId = 1080;
// Longer than the editor's slowest poll of a held key (a 10 ms timer, or the next message).
constexpr DWORD kMinimumHoldMs = 40;
constexpr DWORD kNudgeMs = 10;
constexpr DWORD kPointerTravelMs = 30;

bool IsDialogClass(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

HWND FindEditor(DWORD pid, HWND owner) {
    for (const HWND window : VisibleDialogsOf(pid)) {
        if (GetWindow(window, GW_OWNER) == owner && GetDlgItem(window, kTabControlId))
            return window;
    }
    return nullptr;
}

std::vector<HWND> ChildDialogs(HWND parent) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsDialogClass(child))
            found.push_back(child);
    }
    return found;
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

void SendKey(WORD scanCode, bool extended, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = scanCode;
    input.ki.dwFlags =
        KEYEVENTF_SCANCODE | (extended ? KEYEVENTF_EXTENDEDKEY : 0) | (down ? 0 : KEYEVENTF_KEYUP);
    SendInput(1, &input, sizeof(input));
}

void SendMouse(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

// Nudges field every few milliseconds until done() or timeoutMs, but at least minimumMs.
bool NudgeUntil(const InputEditorDriver& driver, HWND field, const std::function<bool()>& done,
                DWORD minimumMs, DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        driver.NudgeField(field);
        Sleep(kNudgeMs);
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed >= minimumMs && (done() || elapsed >= timeoutMs))
            return done();
    }
}

} // namespace

POINT CentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

InputEditorDriver::InputEditorDriver(HWND editor) : m_editor(editor) {
    // The shown page is the page of the selected tab.
    const std::vector<HWND> pages = ChildDialogs(editor);
    if (pages.size() != 2)
        return;
    const bool firstShown = IsWindowVisible(pages[0]) != FALSE;
    const HWND shown = firstShown ? pages[0] : pages[1];
    const HWND hidden = firstShown ? pages[1] : pages[0];
    const bool keyboardSelected = SelectedTab() == 0;
    m_keyboardPage = keyboardSelected ? shown : hidden;
    m_gamepadPage = keyboardSelected ? hidden : shown;
}

std::optional<InputEditorDriver> InputEditorDriver::Open(DialogDriver& mainDialog) {
    if (!mainDialog.PostClick(ids::kInputSettings)) {
        ADD_FAILURE() << "cannot click Input settings";
        return std::nullopt;
    }
    const DWORD pid = mainDialog.Pid();
    const HWND editor =
        PollFor([&] { return FindEditor(pid, mainDialog.Handle()); }, kOpenTimeoutMs);
    if (!editor) {
        ADD_FAILURE() << "the input editor did not open";
        return std::nullopt;
    }
    InputEditorDriver driver(editor);
    if (!driver.m_keyboardPage) {
        ADD_FAILURE() << "the input editor does not have exactly two pages";
        return std::nullopt;
    }
    return driver;
}

std::wstring InputEditorDriver::Caption() const {
    return WindowText(m_editor);
}

std::wstring InputEditorDriver::Text(int id) const {
    return WindowText(GetDlgItem(m_editor, id));
}

RECT InputEditorDriver::WindowRect() const {
    RECT rect{};
    GetWindowRect(m_editor, &rect);
    return rect;
}

int InputEditorDriver::TabCount() const {
    return static_cast<int>(
        SendBounded(GetDlgItem(m_editor, kTabControlId), TCM_GETITEMCOUNT, 0, 0));
}

std::wstring InputEditorDriver::TabCaption(int index) const {
    // TCM_GETITEMW carries pointers, which do not cross processes: read the caption through
    // a buffer in the program's own memory.
    const HWND tabs = GetDlgItem(m_editor, kTabControlId);
    DWORD pid = 0;
    GetWindowThreadProcessId(tabs, &pid);
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return L"<no process>";
    constexpr size_t kChars = 128;
    const SIZE_T size = sizeof(TCITEMW) + kChars * sizeof(wchar_t);
    auto* remote = static_cast<BYTE*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    std::wstring caption = L"<no tab>";
    if (remote) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TCITEMW));
        item.cchTextMax = kChars;
        wchar_t text[kChars] = {};
        if (WriteProcessMemory(process, remote, &item, sizeof(item), nullptr) &&
            SendBounded(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote + sizeof(TCITEMW), text, sizeof(text), nullptr)) {
            text[kChars - 1] = L'\0';
            caption = text;
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return caption;
}

int InputEditorDriver::SelectedTab() const {
    return static_cast<int>(SendBounded(GetDlgItem(m_editor, kTabControlId), TCM_GETCURSEL, 0, 0));
}

bool InputEditorDriver::SelectTab(int index) {
    SendBounded(GetDlgItem(m_editor, kTabControlId), TCM_SETCURFOCUS, index, 0);
    return SelectedTab() == index;
}

HWND InputEditorDriver::Page(EditorPage page) const {
    return page == EditorPage::Keyboard ? m_keyboardPage : m_gamepadPage;
}

HWND InputEditorDriver::Field(EditorPage page, int editId) const {
    return GetDlgItem(Page(page), editId);
}

std::wstring InputEditorDriver::PageText(EditorPage page, int id) const {
    return WindowText(GetDlgItem(Page(page), id));
}

bool InputEditorDriver::IsShown(EditorPage page) const {
    return IsWindowVisible(Page(page)) != FALSE;
}

bool InputEditorDriver::IsEnabled(EditorPage page) const {
    return IsWindowEnabled(Page(page)) != FALSE;
}

bool InputEditorDriver::IsFieldEnabled(EditorPage page, int editId) const {
    return IsWindowEnabled(Field(page, editId)) != FALSE;
}

bool InputEditorDriver::DoubleClickField(EditorPage page, int editId) {
    const HWND field = Field(page, editId);
    RECT client{};
    GetClientRect(field, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    return field && PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
           PostMessageW(field, WM_LBUTTONUP, 0, at) &&
           PostMessageW(field, WM_LBUTTONDBLCLK, MK_LBUTTON, at) &&
           PostMessageW(field, WM_LBUTTONUP, 0, at);
}

void InputEditorDriver::NudgeField(HWND field) const {
    PostMessageW(field, WM_NULL, 0, 0);
}

bool InputEditorDriver::HoldKey(HWND field, WORD scanCode, bool extended,
                                const std::function<bool()>& done, DWORD timeoutMs) {
    SendKey(scanCode, extended, true);
    const bool result = NudgeUntil(*this, field, done, kMinimumHoldMs, timeoutMs);
    SendKey(scanCode, extended, false);
    NudgeField(field);
    return result;
}

bool InputEditorDriver::HoldButton(HWND field, POINT at, DWORD downFlag, DWORD upFlag,
                                   const std::function<bool()>& done, DWORD timeoutMs) {
    SendMouse(MOUSEEVENTF_MOVE, at);
    NudgeUntil(
        *this, field, [] { return false; }, kMinimumHoldMs, kMinimumHoldMs);
    SendMouse(downFlag, at);
    const bool result = NudgeUntil(*this, field, done, kMinimumHoldMs, timeoutMs);
    SendMouse(upFlag, at);
    NudgeField(field);
    return result;
}

bool InputEditorDriver::ClickButton(int id) {
    const HWND button = GetDlgItem(m_editor, id);
    if (!button)
        return false;
    // A pointer takes longer than the editor's 10 ms block to reach a button.
    Sleep(kPointerTravelMs);
    SendBounded(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

bool InputEditorDriver::PostClick(int id) {
    const HWND button = GetDlgItem(m_editor, id);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

bool InputEditorDriver::PostPageClick(EditorPage page, int id) {
    const HWND button = GetDlgItem(Page(page), id);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

HWND InputEditorDriver::WaitForMessageBox(DWORD timeoutMs) const {
    DWORD pid = 0;
    GetWindowThreadProcessId(m_editor, &pid);
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (const HWND box = FindMessageBox(pid, nullptr))
            return box;
        if (GetTickCount64() >= deadline)
            return nullptr;
        Sleep(kNudgeMs);
    }
}

bool InputEditorDriver::WaitClosed(DWORD timeoutMs) const {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (IsWindow(m_editor)) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(kNudgeMs);
    }
    return true;
}

HWND InputEditorDriver::FocusWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(m_editor, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}
