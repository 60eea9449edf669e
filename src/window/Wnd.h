#pragma once
// CWnd: a window handle with the operations the dialogs need. It does not own the window;
// whoever created a window destroys it. A CWnd can subclass its window so that OnWndMsg sees
// every message of that window before the window's own procedure.

#include <windows.h>
#include <commctrl.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Removes the subclass if the window outlives this object; never destroys the window.
    virtual ~CWnd();

    HWND Handle() const { return m_hWnd; }
    bool IsAttached() const { return m_hWnd != nullptr; }

    // Takes a window that someone else created, without subclassing it.
    void Attach(HWND window) { m_hWnd = window; }
    HWND Detach();

    // Attaches window, runs PreSubclassWindow and routes the window's messages through
    // OnWndMsg. False when window is null or the subclass cannot be installed (the object
    // is then still attached). The subclass ends by itself when the window is destroyed.
    bool SubclassWindow(HWND window);
    void UnsubclassWindow();
    bool IsSubclassed() const { return m_subclassed; }

    // The CWnd that subclassed window, or null.
    static CWnd* FromHandle(HWND window);

    // Creates a child or top-level window and attaches it (not subclassed). The caller
    // destroys it with Destroy.
    bool Create(DWORD exStyle, const wchar_t* className, const std::u16string& text, DWORD style,
                const RECT& rect, HWND parent, int id);
    bool Destroy();

    // Text, capped to bufferUnits - 1 UTF-16 units the way GetWindowText caps it.
    std::u16string GetText(int bufferUnits = 1024) const;
    void SetText(const std::u16string& text);

    void Show(bool show) { ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return IsWindowVisible(m_hWnd) != FALSE; }
    void Enable(bool enable) { EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
    bool IsEnabled() const { return IsWindowEnabled(m_hWnd) != FALSE; }

    RECT WindowRect() const; // screen coordinates
    RECT ClientRect() const;
    void ScreenToClient(RECT& rect) const;
    // Moves, keeping size and z-order. Neither move copies the old contents: the caller
    // repaints what moved.
    void MoveTo(int x, int y);
    // Moves and sizes, keeping the z-order of this window and of its owner, and shows it.
    void PlaceAndShow(int x, int y, int width, int height);
    // Moves and sizes, keeping the z-order; repaints only when repaint is set.
    void SetRect(const RECT& rect, bool repaint);
    void BringToTop() { BringWindowToTop(m_hWnd); }
    void RedrawWithChildren();

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    HWND Parent() const { return GetParent(m_hWnd); }

    HFONT Font() const { return reinterpret_cast<HFONT>(Send(WM_GETFONT)); }
    void SetFont(HFONT font, bool redraw = true);

    // Timer messages (WM_TIMER with id) come to this window every milliseconds.
    bool StartTimer(UINT_PTR id, UINT milliseconds);
    void StopTimer(UINT_PTR id);

    // Sees every message first when the window is subclassed (and, for dialogs, always).
    // Return true when handled; result is then the message's result.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // A WM_NOTIFY this window sent to a CDialog parent, handed back to it first.
    virtual bool OnReflectedNotify(const NMHDR& header, LRESULT& result);

protected:
    // Runs once the handle is attached and before any message is routed to OnWndMsg.
    virtual void PreSubclassWindow() {}
    // The window's own handling of the message being processed (only while subclassed).
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    bool m_subclassed = false;
};
