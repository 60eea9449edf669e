#include "Driver.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kMinimumHoldMs = 40; // past the editor's slowest poll of a held key

void TreeLines(HWND window, const std::string& indent, std::string& tree) {
    const Window parent(window);
    const LRESULT font = Window::Send(window, WM_GETFONT);
    for (const HWND child : Children(window)) {
        const int id = GetDlgCtrlID(child);
        const RECT rect = parent.ControlRect(id);
        char line[256];
        std::snprintf(line, sizeof line, "%d %s %08lx %08lx %s (%ld,%ld)-(%ld,%ld) %s", id,
                      Utf8(ClassOf(child)).c_str(), GetWindowLongW(child, GWL_STYLE),
                      GetWindowLongW(child, GWL_EXSTYLE),
                      IsWindowVisible(child) ? "shown" : "hidden", rect.left, rect.top, rect.right,
                      rect.bottom, Window::Send(child, WM_GETFONT) == font ? "font" : "own-font");
        tree += indent + line;
        if (id != IDC_RESOLUTION_COMBO) { // the machine's display modes
            // An image's text is its resource: U+FFFF and the ordinal.
            const std::wstring text = WindowText(child);
            tree += text.size() == 2 && text[0] == 0xFFFF ? " #" + std::to_string(text[1])
                                                          : " \"" + Utf8(text) + "\"";
            if (ClassOf(child) == L"ComboBox") {
                const auto entries = parent.Entries(id);
                tree += " [";
                for (int i = 0; i < static_cast<int>(entries.size()); ++i)
                    tree += (i ? ", " : "") + std::string(i == parent.Selection(id) ? "*" : "") +
                            Utf8(entries[i]);
                tree += "]";
            }
        }
        tree += "\n";
        if (ClassOf(child) == L"#32770")
            TreeLines(child, indent + "  ", tree);
    }
}

// Absolute coordinates run from 0 to 65535 across the primary screen.
void SendMouse(DWORD flags, POINT at) {
    mouse_event(flags | MOUSEEVENTF_ABSOLUTE,
                MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1), 0, 0);
}

// Posts to field, which looks at the devices on every message, until done() or timeoutMs.
bool NudgeUntil(HWND field, const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        PostMessageW(field, WM_NULL, 0, 0);
        Sleep(kPollMs);
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed >= kMinimumHoldMs && (done() || elapsed >= timeoutMs))
            return done();
    }
}

} // namespace

std::string Utf8(std::wstring_view text) {
    std::string bytes(text.size() * 4, '\0');
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(std::max(length, 0));
    return bytes;
}

std::wstring Wide(std::string_view utf8) {
    std::wstring text(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                           text.data(), static_cast<int>(text.size()));
    text.resize(std::max(length, 0));
    return text;
}

std::wstring WindowText(HWND window) {
    const LRESULT length = Window::Send(window, WM_GETTEXTLENGTH);
    if (!window || length < 0)
        return L"<no window>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Window::Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

RECT RectIn(HWND parent, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string WindowTree(HWND window) {
    const RECT rect = Window(window).Rect();
    char head[64];
    std::snprintf(head, sizeof head, "window %ldx%ld %08lx \"", rect.right - rect.left,
                  rect.bottom - rect.top, GetWindowLongW(window, GWL_STYLE));
    std::string tree = head + Utf8(WindowText(window)) + "\"\n";
    TreeLines(window, "", tree);
    return tree;
}

std::pair<LRESULT, std::wstring> ToolTip(HWND owner, HWND tool) {
    HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    while (tip && GetWindow(tip, GW_OWNER) != owner)
        tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr);
    struct Remote { // TTM_GETTEXTW takes it in the program's memory
        TTTOOLINFOW info;
        wchar_t text[1024];
    } local{};
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                       FALSE, Window(owner).Pid());
    auto* remote = static_cast<Remote*>(
        VirtualAllocEx(process, nullptr, sizeof local, MEM_COMMIT, PAGE_READWRITE));
    local.info.cbSize = sizeof local.info;
    local.info.hwnd = owner;
    local.info.uId = reinterpret_cast<UINT_PTR>(tool);
    local.info.lpszText = remote->text;
    WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
    const LRESULT tools = std::max<LRESULT>(Window::Send(tip, TTM_GETTOOLCOUNT), 0);
    Window::Send(tip, TTM_GETTEXTW, std::size(local.text), reinterpret_cast<LPARAM>(&remote->info));
    ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return {tools, local.text};
}

std::vector<HWND> DialogsOf(DWORD pid) {
    std::vector<HWND> found;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (Window(window).Pid() == pid && IsWindowVisible(window) && ClassOf(window) == L"#32770")
            found.push_back(window);
    return found;
}

HWND FindMessageBox(DWORD pid, HWND owner) {
    for (const HWND window : DialogsOf(pid))
        if (GetDlgItem(window, kMessageBoxTextId) && !GetDlgItem(window, IDC_TEXT_COMBO) &&
            (!owner || GetWindow(window, GW_OWNER) == owner))
            return window;
    return nullptr;
}

std::string ReadMessageBox(HWND box) {
    const std::string view =
        Utf8(WindowText(box)) + ": " + Utf8(WindowText(GetDlgItem(box, kMessageBoxTextId)));
    EXPECT_EQ(LayoutFaults(box), "") << view; // every box a test meets keeps the layout rules
    return view;
}

std::vector<std::wstring> Window::Entries(int comboId) const {
    std::vector<std::wstring> entries;
    const HWND combo = Item(comboId);
    for (int i = 0; i < Count(comboId); ++i) {
        const LRESULT length = Send(combo, CB_GETLBTEXTLEN, i);
        std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        entries.emplace_back(text.c_str()); // without the terminator
    }
    return entries;
}

std::optional<std::string> Window::AnswerBox(int buttonId, bool owned) const {
    const HWND box = PollFor([&] { return FindMessageBox(Pid(), owned ? m_window : nullptr); });
    if (!box)
        return std::nullopt;
    const std::string view = ReadMessageBox(box);
    PostMessageW(GetDlgItem(box, buttonId), BM_CLICK, 0, 0);
    PollFor([&] { return !IsWindow(box); });
    return view;
}

std::optional<Editor> Editor::Open(const Window& main) {
    if (!main.PostClick(IDC_INPUT_SETTINGS))
        return std::nullopt;
    const HWND window = PollFor([&]() -> HWND {
        for (const HWND dialog : DialogsOf(main.Pid()))
            if (GetWindow(dialog, GW_OWNER) == main.Handle() && GetDlgItem(dialog, IDC_INPUT_TABS))
                return dialog;
        return nullptr;
    });
    std::vector<HWND> pages = Children(window); // after OK and Cancel, the keyboard page first
    std::erase_if(pages, [](HWND child) { return ClassOf(child) != L"#32770"; });
    return pages.size() == 2 ? std::optional(Editor(window, pages)) : std::nullopt;
}

bool Editor::DoubleClickField(int page, int editId) const {
    const HWND field = Field(page, editId);
    RECT client{};
    GetClientRect(field, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    return field && PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
           PostMessageW(field, WM_LBUTTONUP, 0, at) &&
           PostMessageW(field, WM_LBUTTONDBLCLK, MK_LBUTTON, at) &&
           PostMessageW(field, WM_LBUTTONUP, 0, at);
}

bool Editor::HoldKey(int editId, BYTE scanCode, const std::function<bool()>& done,
                     DWORD timeoutMs) const {
    const HWND field = Field(0, editId);
    keybd_event(0, scanCode, KEYEVENTF_SCANCODE, 0);
    const bool result = NudgeUntil(field, done, timeoutMs);
    keybd_event(0, scanCode, KEYEVENTF_SCANCODE | KEYEVENTF_KEYUP, 0);
    PostMessageW(field, WM_NULL, 0, 0);
    return result;
}

bool Editor::HoldButton(int editId, POINT at, DWORD downFlag, const std::function<bool()>& done,
                        DWORD timeoutMs) const {
    const HWND field = Field(0, editId);
    SendMouse(MOUSEEVENTF_MOVE, at);
    NudgeUntil(
        field, [] { return false; }, kMinimumHoldMs);
    SendMouse(downFlag, at);
    const bool result = NudgeUntil(field, done, timeoutMs);
    SendMouse(downFlag << 1, at); // each button's release flag is twice its press flag
    PostMessageW(field, WM_NULL, 0, 0);
    return result;
}

bool Editor::ClickButton(int id) const {
    const HWND button = Item(id);
    Sleep(3 * kPollMs); // a pointer takes longer than the editor's 10 ms block to reach it
    Send(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}
