#pragma once
// A dialog's message map: a table that routes a window message, a command notification of
// one control, or a WM_NOTIFY code of one control to a member handler.
//
//   const MessageMapEntry<CMyDlg> CMyDlg::kMessageMap[] = {
//       OnMessage(WM_PAINT, &CMyDlg::OnPaint),
//       OnCommand(BN_CLICKED, IDOK, &CMyDlg::OnOkClicked),
//       OnNotify(TCN_SELCHANGE, 1080, &CMyDlg::OnTabChanged),
//   };
//   bool CMyDlg::OnMessageMap(UINT m, WPARAM w, LPARAM l, LRESULT& r) {
//       return DispatchMessageMap(*this, kMessageMap, m, w, l, r);
//   }
//
// A handler is either an action `void ()`, which always handles its message with result 0,
// or `bool (WPARAM, LPARAM, LRESULT&)`, which may set the result or decline (false) so that
// the default handling runs.

#include <windows.h>

#include <span>
#include <type_traits>

enum class MessageSource { Window, Command, Notify };

template <class T> struct MessageMapEntry {
    using Action = void (T::*)();
    using Handler = bool (T::*)(WPARAM, LPARAM, LRESULT&);

    MessageSource source;
    UINT code; // the message, the command notification code or the WM_NOTIFY code
    int id;    // the control id for Command and Notify
    Action action;
    Handler handler;

    bool Matches(UINT message, WPARAM wParam, LPARAM lParam) const {
        switch (source) {
        case MessageSource::Window:
            return message == code;
        case MessageSource::Command:
            return message == WM_COMMAND && HIWORD(wParam) == code &&
                   LOWORD(wParam) == static_cast<WORD>(id);
        case MessageSource::Notify: {
            if (message != WM_NOTIFY || lParam == 0)
                return false;
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            return header->code == code && header->idFrom == static_cast<UINT_PTR>(id);
        }
        }
        return false;
    }
};

template <class T> constexpr MessageMapEntry<T> OnMessage(UINT message, void (T::*action)()) {
    return {MessageSource::Window, message, 0, action, nullptr};
}

template <class T>
constexpr MessageMapEntry<T> OnMessage(UINT message, bool (T::*handler)(WPARAM, LPARAM, LRESULT&)) {
    return {MessageSource::Window, message, 0, nullptr, handler};
}

template <class T>
constexpr MessageMapEntry<T> OnCommand(UINT notification, int id, void (T::*action)()) {
    return {MessageSource::Command, notification, id, action, nullptr};
}

template <class T> constexpr MessageMapEntry<T> OnNotify(UINT code, int id, void (T::*action)()) {
    return {MessageSource::Notify, code, id, action, nullptr};
}

template <class T>
constexpr MessageMapEntry<T> OnNotify(UINT code, int id,
                                      bool (T::*handler)(WPARAM, LPARAM, LRESULT&)) {
    return {MessageSource::Notify, code, id, nullptr, handler};
}

// Runs the first entry that matches; false when none does or its handler declined.
template <class T>
bool DispatchMessageMap(T& target, std::span<const MessageMapEntry<std::type_identity_t<T>>> map,
                        UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (const MessageMapEntry<T>& entry : map) {
        if (!entry.Matches(message, wParam, lParam))
            continue;
        if (entry.action) {
            (target.*entry.action)();
            result = 0;
            return true;
        }
        return (target.*entry.handler)(wParam, lParam, result);
    }
    return false;
}
