#pragma once
// Static texts and pictures.

#include "window/Wnd.h"

class CStatic : public CWnd {
public:
    // An SS_ICON picture's icon; returns the previous one.
    HICON SetIcon(HICON icon) {
        return reinterpret_cast<HICON>(Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    }
};
