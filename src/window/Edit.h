#pragma once
// Edit fields.

#include "window/Wnd.h"

class CEdit : public CWnd {
public:
    // The formatting rectangle, in client coordinates.
    RECT GetRect() const {
        RECT rect{};
        Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    void SetReadOnly(bool readOnly) { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
};
