// The two window layouts of the main window, and its minimised icon.

#include "ui/main/ConfiguratorDlg.h"

namespace {

int Width(const RECT& rect) {
    return rect.right - rect.left;
}
int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

// Client pixels of the buttons: a column under the Custom box when compact, one row along
// the bottom when expanded.
constexpr int kCompactOkY = 378;
constexpr int kCompactCancelX = 97;
constexpr int kCompactAutoDetectY = 314;
constexpr int kCompactInputSettingsY = 346;
constexpr int kExpandedRowY = 380;
constexpr int kButtonLeft = 10;
constexpr int kExpandedCancelX = 449;
constexpr int kExpandedAutoDetectX = 97;
constexpr int kExpandedInputSettingsX = 273;
// Space left under the compact column of buttons, as the template gives it with the usual
// dialog font metrics.
constexpr int kCompactBottomMargin = 9;

} // namespace

void CConfiguratorDlg::PlaceWindow(const RECT& layout) {
    // The layouts' left and top are 0, so this centres the window on the primary screen.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - layout.right / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - layout.bottom / 2;
    PlaceAndShow(x, y, Width(layout), Height(layout));
}

// The button positions are fixed pixels, while the template's size follows the dialog font:
// where its dialog units come out smaller than usual (other fonts, other platforms), the
// column of buttons would be cut off at the bottom and, in the expanded layout, the row of
// buttons would fall below the window. Growing the compact rectangle until the column fits
// restores the usual proportions of both layouts.
void CConfiguratorDlg::FitCompactRectToButtons() {
    const RECT client = ClientRect();
    const int needed =
        kCompactOkY + Height(m_okButton.WindowRect()) + kCompactBottomMargin - Height(client);
    if (needed > 0)
        m_compactRect.bottom += needed;
}

// Both layouts arrange the controls first and size the window last, then repaint it whole:
// buttons moved into an area the window has only just gained could otherwise keep the
// background painted over them.
void CConfiguratorDlg::ShowCompactLayout() {
    m_okButton.MoveTo(kButtonLeft, kCompactOkY);
    m_cancelButton.MoveTo(kCompactCancelX, kCompactOkY);
    m_autoDetectButton.MoveTo(kButtonLeft, kCompactAutoDetectY);
    m_inputSettingsButton.MoveTo(kButtonLeft, kCompactInputSettingsY);
    ShowRenderingRows(false);
    m_pictureStatic.Show(false);
    PlaceWindow(m_compactRect);
    RedrawWithChildren();
}

void CConfiguratorDlg::ShowExpandedLayout() {
    const int y = kExpandedRowY + Height(m_expandedRect) - Height(m_compactRect);
    m_okButton.MoveTo(kButtonLeft, y);
    m_cancelButton.MoveTo(kExpandedCancelX, y);
    m_autoDetectButton.MoveTo(kExpandedAutoDetectX, y);
    m_inputSettingsButton.MoveTo(kExpandedInputSettingsX, y);
    ShowRenderingRows(true);
    m_pictureStatic.Show(true);
    PlaceWindow(m_expandedRect);
    RedrawWithChildren();
}

bool CConfiguratorDlg::OnPaint(WPARAM, LPARAM, LRESULT& result) {
    if (!IsIconic(m_hWnd))
        return false; // the dialog's own painting
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_hWnd, &paint);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    const RECT client = ClientRect();
    const int x = (Width(client) - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (Height(client) - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    result = 0;
    return true;
}

bool CConfiguratorDlg::OnQueryDragIcon(WPARAM, LPARAM, LRESULT& result) {
    result = reinterpret_cast<LRESULT>(m_hIcon);
    return true;
}
