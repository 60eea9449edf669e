#include "window/TabCtrl.h"

#include "system/WideText.h"

int CTabCtrl::InsertItem(int index, const std::u16string& caption) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    // TCITEMW wants a writable pointer but only reads it for insertion.
    std::u16string text = caption;
    item.pszText = reinterpret_cast<wchar_t*>(text.data());
    return static_cast<int>(
        Send(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}
