#include "DialogDriver.h"

#include "TopLevelWindows.h"

LRESULT DialogDriver::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok,
                           DWORD timeoutMs) const {
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

std::wstring DialogDriver::Caption() const {
    return WindowText(m_dialog);
}

std::wstring DialogDriver::Text(int id) const {
    return WindowText(Item(id));
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
