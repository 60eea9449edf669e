#include "InputEditorDriver.h"

#include "ControlIds.h"
#include "Files.h"
#include "WideText.h"
#include "config/ConfigFile.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int kTabControlId = 1080;
// Longer than the editor's slowest poll of a held key (a 10 ms timer, or the next message).
constexpr DWORD kMinimumHoldMs = 40;
constexpr DWORD kPointerTravelMs = 30;

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
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (std::wstring(name) == L"#32770")
            found.push_back(child);
    }
    return found;
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

// Posts field a message every few milliseconds (the field looks at the devices on every
// message) until done() or timeoutMs, but at least minimumMs.
bool NudgeUntil(HWND field, const std::function<bool()>& done, DWORD minimumMs, DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        PostMessageW(field, WM_NULL, 0, 0);
        Sleep(kPollMs);
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

InputEditorDriver::InputEditorDriver(HWND editor) : DialogDriver(editor) {
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
    const HWND editor = PollFor([&] { return FindEditor(pid, mainDialog.Handle()); }, kWaitMs);
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

int InputEditorDriver::TabCount() const {
    return static_cast<int>(Send(Item(kTabControlId), TCM_GETITEMCOUNT, 0, 0, nullptr));
}

std::wstring InputEditorDriver::TabCaption(int index) const {
    // TCM_GETITEMW carries pointers, which do not cross processes: read the caption through
    // a buffer in the program's own memory.
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, Pid());
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
            Send(Item(kTabControlId), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(remote),
                 nullptr) > 0 &&
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
    return static_cast<int>(Send(Item(kTabControlId), TCM_GETCURSEL, 0, 0, nullptr));
}

bool InputEditorDriver::SelectTab(int index) {
    Send(Item(kTabControlId), TCM_SETCURFOCUS, index, 0, nullptr);
    return SelectedTab() == index;
}

HWND InputEditorDriver::Page(EditorPage page) const {
    return page == EditorPage::Keyboard ? m_keyboardPage : m_gamepadPage;
}

std::wstring InputEditorDriver::PageText(EditorPage page, int id) const {
    return WindowText(GetDlgItem(Page(page), id));
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

bool InputEditorDriver::HoldKey(HWND field, WORD scanCode, bool extended,
                                const std::function<bool()>& done, DWORD timeoutMs) {
    SendKey(scanCode, extended, true);
    const bool result = NudgeUntil(field, done, kMinimumHoldMs, timeoutMs);
    SendKey(scanCode, extended, false);
    PostMessageW(field, WM_NULL, 0, 0);
    return result;
}

bool InputEditorDriver::HoldButton(HWND field, POINT at, DWORD downFlag, DWORD upFlag,
                                   const std::function<bool()>& done, DWORD timeoutMs) {
    SendMouse(MOUSEEVENTF_MOVE, at);
    NudgeUntil(
        field, [] { return false; }, kMinimumHoldMs, kMinimumHoldMs);
    SendMouse(downFlag, at);
    const bool result = NudgeUntil(field, done, kMinimumHoldMs, timeoutMs);
    SendMouse(upFlag, at);
    PostMessageW(field, WM_NULL, 0, 0);
    return result;
}

bool InputEditorDriver::ClickButton(int id) {
    const HWND button = Item(id);
    if (!button)
        return false;
    // A pointer takes longer than the editor's 10 ms block to reach a button.
    Sleep(kPointerTravelMs);
    Send(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE),
         nullptr);
    return PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

bool InputEditorDriver::PostPageClick(EditorPage page, int id) {
    const HWND button = GetDlgItem(Page(page), id);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

HWND InputEditorDriver::FocusWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(Handle(), nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool InputEditorTest::OpenEditor(int layout) {
    m_main = Launch();
    return m_main && ReopenEditor(layout);
}

bool InputEditorTest::ReopenEditor(int layout) {
    if (!m_main->Choose(ids::kKeyboardList, layout)) {
        ADD_FAILURE() << "cannot choose keyboard entry " << layout;
        return false;
    }
    m_editor = InputEditorDriver::Open(*m_main);
    return m_editor.has_value();
}

bool InputEditorTest::CloseEditor(int buttonId) {
    if (!m_editor->ClickButton(buttonId) || !m_editor->WaitClosed(kWaitMs)) {
        ADD_FAILURE() << "the editor did not close with button " << buttonId;
        return false;
    }
    return true;
}

void InputEditorTest::FinishProgram() {
    PressAndWaitForExit(*m_main, ids::kCancel);
}

std::wstring InputEditorTest::EditorText(const std::string& key) const {
    ConfigFile file(u"EN", ToU16(Paths().LangDir() + L"\\EN.ini"));
    std::u16string text = Utf8ToUtf16(key);
    if (const ConfigSection* section = file.FindSection(u"InputEditor", false))
        section->GetValue(Utf8ToUtf16(key), text);
    return ToWide(text);
}

std::optional<IniSection> InputEditorTest::UserSection(const std::string& name) const {
    if (!FileExists(Paths().UserIni()))
        return std::nullopt;
    ConfigFile file(u"User", ToU16(Paths().UserIni()));
    const ConfigSection* section = file.FindSection(Utf8ToUtf16(name), false);
    if (!section)
        return std::nullopt;
    IniSection result;
    for (const auto& [key, values] : *section) {
        for (const auto& value : values)
            result[Utf16ToUtf8(key)].push_back(Utf16ToUtf8(value));
    }
    return result;
}
