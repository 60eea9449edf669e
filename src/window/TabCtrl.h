#pragma once
// Tab controls.

#include "window/Wnd.h"

#include <string>

class CTabCtrl : public CWnd {
public:
    // Inserts a text tab at index; returns its index, or -1.
    int InsertItem(int index, const std::u16string& caption);
    int GetCurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    // Returns the previous selection, or -1.
    int SetCurSel(int index) { return static_cast<int>(Send(TCM_SETCURSEL, index)); }
    int GetItemCount() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
    // larger false: reduces a window rectangle to the display area; true: the reverse.
    void AdjustRect(bool larger, RECT& rect) const {
        Send(TCM_ADJUSTRECT, larger ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rect));
    }
};
