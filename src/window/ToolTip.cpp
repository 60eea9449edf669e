#include "window/ToolTip.h"

// Wide enough for a few words per line; the tooltip then breaks lines at "\n".
constexpr int kMaxTipWidth = 400;

bool CToolTip::CreateFor(HWND owner) {
    if (m_hWnd)
        return true;
    RECT none{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!Create(WS_EX_TOPMOST, TOOLTIPS_CLASSW, u"", WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, none,
                owner, 0))
        return false;
    Send(TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    return true;
}

TTTOOLINFOW CToolTip::ToolInfo(HWND tool, std::u16string& text) const {
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = reinterpret_cast<wchar_t*>(text.data());
    return info;
}

bool CToolTip::HasTool(HWND tool) {
    std::u16string none;
    TTTOOLINFOW info = ToolInfo(tool, none);
    info.lpszText = nullptr;
    return Send(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

bool CToolTip::SetToolText(HWND tool, const std::u16string& text) {
    if (!m_hWnd || !tool)
        return false;
    std::u16string copy = text; // the tooltip copies it; the API wants a writable pointer
    TTTOOLINFOW info = ToolInfo(tool, copy);
    if (!HasTool(tool))
        return Send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
    Send(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}
