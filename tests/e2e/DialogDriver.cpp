#include "DialogDriver.h"

#include "WideText.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
// The text language list: only the main dialog has it, so a stray static 0xFFFF in the main
// dialog's template cannot make it look like a message box.
constexpr int kMainDialogMarkId = 1010;

struct EnumState {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
    auto& state = *reinterpret_cast<EnumState*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (pid == state.pid && IsWindowVisible(window) && std::wstring(className) == L"#32770")
        state.found.push_back(window);
    return TRUE;
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(value));
    return text;
}

std::string Quoted(HWND window) {
    return "\"" + WideToUtf8(WindowText(window)) + "\"";
}

std::string ComboContents(HWND combo) {
    DWORD_PTR count = 0, selected = 0;
    SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, DialogDriver::kSendTimeoutMs,
                        &count);
    SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_NORMAL, DialogDriver::kSendTimeoutMs,
                        &selected);
    std::string text = " [";
    for (DWORD_PTR i = 0; i < count; ++i) {
        wchar_t entry[256] = {};
        DWORD_PTR length = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry), SMTO_NORMAL,
                            DialogDriver::kSendTimeoutMs, &length);
        text += (i ? ", " : "") + std::string(i == selected ? "*" : "") + WideToUtf8(entry);
    }
    return text + "]";
}

} // namespace

std::string WindowTree(HWND dialog, const std::vector<int>& elided) {
    const LRESULT dialogFont = SendMessageW(dialog, WM_GETFONT, 0, 0);
    RECT window{};
    GetWindowRect(dialog, &window);
    std::string tree = "dialog " + std::to_string(window.right - window.left) + "x" +
                       std::to_string(window.bottom - window.top) + " " + Quoted(dialog) + "\n";
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        char place[80];
        std::snprintf(place, sizeof place, "(%ld,%ld)-(%ld,%ld)", rect.left, rect.top, rect.right,
                      rect.bottom);
        const bool sameFont = SendMessageW(child, WM_GETFONT, 0, 0) == dialogFont;
        tree += std::to_string(id) + " " + WideToUtf8(className) + " " +
                Hex(GetWindowLongW(child, GWL_STYLE)) + " " +
                Hex(GetWindowLongW(child, GWL_EXSTYLE)) + " " +
                (IsWindowVisible(child) ? "shown " : "hidden ") + place +
                (sameFont ? " font" : " own-font");
        if (std::ranges::count(elided, id) == 0) {
            tree += " " + Quoted(child);
            if (std::wstring(className) == L"ComboBox")
                tree += ComboContents(child);
        }
        tree += "\n";
    }
    return tree;
}

std::vector<HWND> VisibleDialogsOf(DWORD pid) {
    EnumState state{pid, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND FindMainDialog(DWORD pid) {
    for (const HWND window : VisibleDialogsOf(pid)) {
        if (!GetWindow(window, GW_OWNER) && GetDlgItem(window, kMainDialogMarkId))
            return window;
    }
    return nullptr;
}

bool IsMessageBox(HWND window) {
    return GetDlgItem(window, kMessageBoxTextId) && !GetDlgItem(window, kMainDialogMarkId);
}

HWND FindMessageBox(DWORD pid, HWND owner) {
    for (const HWND window : VisibleDialogsOf(pid)) {
        if (IsMessageBox(window) && (!owner || GetWindow(window, GW_OWNER) == owner))
            return window;
    }
    return nullptr;
}

MessageBoxView ReadMessageBox(HWND box) {
    return {WindowText(box), WindowText(GetDlgItem(box, kMessageBoxTextId))};
}

bool PressMessageBoxButton(HWND box, int buttonId) {
    const HWND button = GetDlgItem(box, buttonId);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!window || !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL,
                                        DialogDriver::kSendTimeoutMs, &length))
        return L"<no window>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, DialogDriver::kSendTimeoutMs, &copied))
        return L"<no answer>";
    text.resize(copied);
    return text;
}

LRESULT DialogDriver::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok,
                           DWORD timeoutMs) {
    DWORD_PTR result = 0;
    const bool sent = window && SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL,
                                                    timeoutMs, &result);
    if (ok)
        *ok = sent;
    return sent ? static_cast<LRESULT>(result) : -1;
}

DWORD DialogDriver::Pid() const {
    DWORD pid = 0;
    GetWindowThreadProcessId(m_dialog, &pid);
    return pid;
}

int DialogDriver::ComboCount(int id) const {
    return static_cast<int>(Send(Item(id), CB_GETCOUNT, 0, 0, nullptr));
}

int DialogDriver::ComboSelection(int id) const {
    return static_cast<int>(Send(Item(id), CB_GETCURSEL, 0, 0, nullptr));
}

std::vector<std::wstring> DialogDriver::ComboEntries(int id) const {
    std::vector<std::wstring> entries;
    const HWND combo = Item(id);
    const int count = ComboCount(id);
    for (int i = 0; i < count; ++i) {
        const LRESULT length = Send(combo, CB_GETLBTEXTLEN, i, 0, nullptr);
        std::wstring text(length < 0 ? 0 : length + 1, L'\0');
        if (length >= 0)
            Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()), nullptr);
        text.resize(length < 0 ? 0 : length);
        entries.push_back(text);
    }
    return entries;
}

std::wstring DialogDriver::ComboSelectedText(int id) const {
    const int selection = ComboSelection(id);
    const auto entries = ComboEntries(id);
    if (selection < 0 || selection >= static_cast<int>(entries.size()))
        return L"<none>";
    return entries[selection];
}

int DialogDriver::ComboIndexOf(int id, const std::wstring& entry) const {
    const auto entries = ComboEntries(id);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == entry)
            return static_cast<int>(i);
    }
    return -1;
}

bool DialogDriver::IsChecked(int id) const {
    return Send(Item(id), BM_GETCHECK, 0, 0, nullptr) == BST_CHECKED;
}

bool DialogDriver::IsShown(int id) const {
    const HWND item = Item(id);
    return item && IsWindowVisible(item);
}

RECT DialogDriver::WindowRect() const {
    RECT rect{};
    GetWindowRect(m_dialog, &rect);
    return rect;
}

RECT DialogDriver::ClientRect() const {
    RECT rect{};
    GetClientRect(m_dialog, &rect);
    return rect;
}

RECT DialogDriver::ControlRect(int id) const {
    RECT rect{};
    GetWindowRect(Item(id), &rect);
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool DialogDriver::Choose(int comboId, int index) {
    bool ok = false;
    Send(Item(comboId), CB_SETCURSEL, index, 0, &ok);
    return ok && Notify(comboId, CBN_SELCHANGE);
}

bool DialogDriver::Notify(int id, WORD code) {
    bool ok = false;
    Send(m_dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)), &ok);
    return ok;
}

bool DialogDriver::Click(int id, DWORD timeoutMs) {
    bool ok = false;
    Send(Item(id), BM_CLICK, 0, 0, &ok, timeoutMs);
    return ok;
}

bool DialogDriver::PostClick(int id) {
    const HWND item = Item(id);
    return item && PostMessageW(item, BM_CLICK, 0, 0);
}

bool DialogDriver::PostClose() {
    return PostMessageW(m_dialog, WM_CLOSE, 0, 0);
}

bool DialogDriver::PostSysClose() {
    return PostMessageW(m_dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::optional<MessageBoxView> DialogDriver::AnswerMessageBox(int buttonId, DWORD timeoutMs,
                                                             bool owned) const {
    const DWORD pid = Pid();
    const HWND owner = owned ? m_dialog : nullptr;
    const HWND box = PollFor([&] { return FindMessageBox(pid, owner); }, timeoutMs);
    if (!box)
        return std::nullopt;
    const MessageBoxView view = ReadMessageBox(box);
    PressMessageBoxButton(box, buttonId);
    PollFor([&] { return !IsWindow(box); }, timeoutMs);
    return view;
}

bool DialogDriver::WaitClosed(DWORD timeoutMs) const {
    return PollFor([&] { return !IsWindow(m_dialog); }, timeoutMs);
}
