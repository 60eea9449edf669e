#pragma once
// A tooltip window that shows one text per tool (a control of its owner) while the mouse
// rests on that control.

#include "window/Wnd.h"

#include <string>

class CToolTip : public CWnd {
public:
    // Creates the tooltip window for owner; true when it exists (also when it did already).
    bool CreateFor(HWND owner);

    // Shows text for tool, adding the tool the first time. Line breaks ("\n") are kept.
    bool SetToolText(HWND tool, const std::u16string& text);

private:
    bool HasTool(HWND tool);
    TTTOOLINFOW ToolInfo(HWND tool, std::u16string& text) const;
};
