// The two window layouts of the main window, the emblem shown beside the rendering panel,
// and the minimised icon.

#include "ui/main/ConfiguratorDlg.h"

#include "resource.h"

namespace {

int Width(const RECT& rect) {
    return rect.right - rect.left;
}
int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

// Client pixels of the buttons at 96 DPI: a column under the Custom box when compact, one row
// along the bottom when expanded.
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
    const int needed = Px(kCompactOkY) + Height(m_okButton.WindowRect()) +
                       Px(kCompactBottomMargin) - Height(client);
    if (needed > 0)
        m_compactRect.bottom += needed;
}

// Both layouts arrange the controls first and size the window last, then repaint it whole:
// buttons moved into an area the window has only just gained could otherwise keep the
// background painted over them.
void CConfiguratorDlg::ShowCompactLayout() {
    ArrangeCompactControls();
    PlaceWindow(m_compactRect);
    RedrawWithChildren();
}

void CConfiguratorDlg::ShowExpandedLayout() {
    ArrangeExpandedControls();
    PlaceWindow(m_expandedRect);
    RedrawWithChildren();
}

void CConfiguratorDlg::ArrangeCompactControls() {
    m_okButton.MoveTo(Px(kButtonLeft), Px(kCompactOkY));
    m_cancelButton.MoveTo(Px(kCompactCancelX), Px(kCompactOkY));
    m_autoDetectButton.MoveTo(Px(kButtonLeft), Px(kCompactAutoDetectY));
    m_inputSettingsButton.MoveTo(Px(kButtonLeft), Px(kCompactInputSettingsY));
    ShowRenderingRows(false);
    m_pictureStatic.Show(false);
}

void CConfiguratorDlg::ArrangeExpandedControls() {
    const int y = Px(kExpandedRowY) + Height(m_expandedRect) - Height(m_compactRect);
    m_okButton.MoveTo(Px(kButtonLeft), y);
    m_cancelButton.MoveTo(Px(kExpandedCancelX), y);
    m_autoDetectButton.MoveTo(Px(kExpandedAutoDetectX), y);
    m_inputSettingsButton.MoveTo(Px(kExpandedInputSettingsX), y);
    ShowRenderingRows(true);
    m_pictureStatic.Show(true);
}

// The emblem has images of 256 and 200 pixels; the template shows the 256-pixel one. The one
// nearest the 256 pixels scaled to the window's DPI is shown: scaling an image up would not
// make it sharper, so only a DPI below 96 changes it.
void CConfiguratorDlg::ChooseEmblemImage() {
    constexpr int kTemplateImage = 256;
    constexpr int kSmallImage = 200;
    const int wanted = Px(kTemplateImage);
    if (kTemplateImage - wanted <= wanted - kSmallImage)
        return;
    const auto image =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_EMBLEM),
                                      IMAGE_ICON, kSmallImage, kSmallImage, LR_SHARED));
    if (image)
        m_pictureStatic.SetIcon(image);
}

// Moving to a monitor of another DPI: the dialog manager's own handling places the window on
// the suggested rectangle and scales the template's controls and font; once it is done, the
// program's own geometry follows.
bool CConfiguratorDlg::OnDpiChanged(WPARAM wParam, LPARAM, LRESULT&) {
    const UINT dpi = LOWORD(wParam);
    if (dpi != 0 && dpi != m_dpi)
        PostMessageW(m_hWnd, kFollowDpiMessage, dpi, 0);
    return false;
}

// The compact rectangle scales with the template; the expanded one, the rows and the buttons
// are measured anew, and the current layout is arranged again where the window now is.
bool CConfiguratorDlg::OnFollowDpi(WPARAM wParam, LPARAM, LRESULT& result) {
    const int previous = static_cast<int>(m_dpi);
    m_dpi = static_cast<UINT>(wParam);
    const int dpi = static_cast<int>(m_dpi);
    m_compactRect = {0, 0, MulDiv(Width(m_compactRect), dpi, previous),
                     MulDiv(Height(m_compactRect), dpi, previous)};
    MeasureExpandedLayout();
    PlaceRenderingRows();
    const bool expanded = m_customCheck.GetCheck() != BST_UNCHECKED;
    if (expanded)
        ArrangeExpandedControls();
    else
        ArrangeCompactControls();
    const RECT& layout = expanded ? m_expandedRect : m_compactRect;
    const RECT window = WindowRect();
    PlaceAndShow(window.left, window.top, Width(layout), Height(layout));
    RedrawWithChildren();
    result = 0;
    return true;
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
