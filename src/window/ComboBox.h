#pragma once
// Drop-down lists. Indices are 0-based; -1 means no entry (CB_ERR).

#include "window/Wnd.h"

#include <string>

class CComboBox : public CWnd {
public:
    // Appends at the end of an unsorted list; returns the new index, or a negative value.
    int AddString(const std::u16string& text);
    // -1 clears the selection. Returns the new index, or -1 (also when index is out of range).
    int SetCurSel(int index);
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    // Returns the number of entries left, or a negative value.
    int DeleteString(int index) { return static_cast<int>(Send(CB_DELETESTRING, index)); }
    int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    void ResetContent() { Send(CB_RESETCONTENT); }
    // The text of entry index; empty for an index out of range.
    std::u16string GetItemText(int index) const;
};
