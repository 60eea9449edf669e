#include "window/Wnd.h"

#include "system/WideText.h"

#include <vector>

namespace {
// Any value unique to this program; SetWindowSubclass keys subclasses by proc and id.
constexpr UINT_PTR kSubclassId = 0x4B32;
// The window property that leads from a subclassed window to its object (GetWindowSubclass
// is exported by ordinal only, which MinGW's import library lacks).
constexpr wchar_t kObjectProperty[] = L"Configurator.CWnd";
} // namespace

CWnd::~CWnd() {
    UnsubclassWindow();
}

HWND CWnd::Detach() {
    UnsubclassWindow();
    HWND window = m_hWnd;
    m_hWnd = nullptr;
    return window;
}

bool CWnd::SubclassWindow(HWND window) {
    if (!window)
        return false;
    if (m_hWnd == window && m_subclassed)
        return true;
    UnsubclassWindow();
    m_hWnd = window;
    PreSubclassWindow();
    m_subclassed = SetWindowSubclass(window, SubclassProc, kSubclassId,
                                     reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    if (m_subclassed)
        SetPropW(window, kObjectProperty, this);
    return m_subclassed;
}

void CWnd::UnsubclassWindow() {
    if (m_subclassed && m_hWnd) {
        RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
        RemovePropW(m_hWnd, kObjectProperty);
    }
    m_subclassed = false;
}

CWnd* CWnd::FromHandle(HWND window) {
    return window ? static_cast<CWnd*>(GetPropW(window, kObjectProperty)) : nullptr;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data) {
    CWnd* self = reinterpret_cast<CWnd*>(data);
    if (message == WM_NCDESTROY) {
        // The window is going; this object stays and forgets it.
        RemoveWindowSubclass(window, SubclassProc, kSubclassId);
        RemovePropW(window, kObjectProperty);
        self->m_subclassed = false;
        self->m_hWnd = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (self->OnWndMsg(message, wParam, lParam, result))
        return result;
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CWnd::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(m_hWnd, message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

bool CWnd::OnReflectedNotify(const NMHDR&, LRESULT&) {
    return false;
}

bool CWnd::Create(DWORD exStyle, const wchar_t* className, const std::u16string& text, DWORD style,
                  const RECT& rect, HWND parent, int id) {
    HWND window = CreateWindowExW(exStyle, className, AsWide(text), style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return false;
    UnsubclassWindow();
    m_hWnd = window;
    return true;
}

bool CWnd::Destroy() {
    if (!m_hWnd)
        return false;
    UnsubclassWindow();
    bool destroyed = DestroyWindow(m_hWnd) != FALSE;
    m_hWnd = nullptr;
    return destroyed;
}

std::u16string CWnd::GetText(int bufferUnits) const {
    if (bufferUnits <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferUnits), L'\0');
    int length = GetWindowTextW(m_hWnd, buffer.data(), bufferUnits);
    if (length < 0)
        length = 0;
    return FromWide(std::wstring_view(buffer.data(), static_cast<size_t>(length)));
}

void CWnd::SetText(const std::u16string& text) {
    SetWindowTextW(m_hWnd, AsWide(text));
}

RECT CWnd::WindowRect() const {
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::ClientRect() const {
    RECT rect{};
    GetClientRect(m_hWnd, &rect);
    return rect;
}

void CWnd::ScreenToClient(RECT& rect) const {
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
}

// Moves copy no bits: Wine's X11 driver would copy the old contents and then wait for the X
// server's exposure reply, which never comes once a Direct3D device has used the window (or
// its parent) as its focus window (Auto-detect): the program hung. Callers repaint what
// moved, so the copy gains nothing.
void CWnd::MoveTo(int x, int y) {
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void CWnd::PlaceAndShow(int x, int y, int width, int height) {
    SetWindowPos(m_hWnd, nullptr, x, y, width, height,
                 SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOCOPYBITS);
}

void CWnd::SetRect(const RECT& rect, bool repaint) {
    MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               repaint ? TRUE : FALSE);
}

void CWnd::RedrawWithChildren() {
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CWnd::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::SetFont(HFONT font, bool redraw) {
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

bool CWnd::StartTimer(UINT_PTR id, UINT milliseconds) {
    return SetTimer(m_hWnd, id, milliseconds, nullptr) != 0;
}

void CWnd::StopTimer(UINT_PTR id) {
    KillTimer(m_hWnd, id);
}
