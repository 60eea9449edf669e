#include "window/ComboBox.h"

#include "system/WideText.h"

#include <vector>

int CComboBox::AddString(const std::u16string& text) {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(text))));
}

int CComboBox::SetCurSel(int index) {
    return static_cast<int>(Send(CB_SETCURSEL, static_cast<WPARAM>(index)));
}

std::u16string CComboBox::GetItemText(int index) const {
    LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length < 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied =
        Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == CB_ERR || copied < 0)
        return {};
    return FromWide(std::wstring_view(buffer.data(), static_cast<size_t>(copied)));
}
