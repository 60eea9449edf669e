#include "TopLevelWindows.h"

namespace {

constexpr DWORD kSendTimeoutMs = 10000;
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

} // namespace

std::vector<HWND> VisibleDialogsOf(DWORD pid) {
    EnumState state{pid, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

bool IsMessageBox(HWND window) {
    return GetDlgItem(window, kMessageBoxTextId) && !GetDlgItem(window, kMainDialogMarkId);
}

HWND FindMainDialog(DWORD pid) {
    for (const HWND window : VisibleDialogsOf(pid)) {
        if (!GetWindow(window, GW_OWNER) && GetDlgItem(window, kMainDialogMarkId))
            return window;
    }
    return nullptr;
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
    if (!window ||
        !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length))
        return L"<no window>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, kSendTimeoutMs, &copied))
        return L"<no answer>";
    text.resize(copied);
    return text;
}
