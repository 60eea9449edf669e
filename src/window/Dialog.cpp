#include "window/Dialog.h"

namespace {
// Messages whose dialog-procedure result is returned directly instead of through
// DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}
} // namespace

CDialog::~CDialog() {
    if (!m_hWnd)
        return;
    // The window must not reach this object while it goes.
    SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

INT_PTR CDialog::DoModal(HWND owner) {
    m_modal = true;
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId),
                                     owner, DialogProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return result;
}

bool CDialog::CreateModeless(HWND parent) {
    m_modal = false;
    HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId),
                                     parent, DialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    ::EndDialog(m_hWnd, result);
}

void CDialog::OnOK() {
    DoDataExchange();
    if (m_modal)
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    if (m_modal)
        EndDialog(IDCANCEL);
}

bool CDialog::OnMessageMap(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

// Each lookup by id is a round trip to the window server under Wine; the data exchange of OK
// finds every control bound already and looks none up again.
void CDialog::BindControl(CWnd& control, int id) {
    if (!m_controlsBound)
        control.Attach(Item(id));
}

void CDialog::SubclassControl(CWnd& control, int id) {
    if (!m_controlsBound)
        control.SubclassWindow(Item(id));
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY && lParam != 0) {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        CWnd* control = CWnd::FromHandle(header.hwndFrom);
        if (control && control->OnReflectedNotify(header, result))
            return true;
    }
    if (OnMessageMap(message, wParam, lParam, result))
        return true;
    if (message == WM_INITDIALOG) {
        DoDataExchange();
        m_controlsBound = true;
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        // The one place where the object meets its window.
        self = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->m_hWnd = window;
    } else {
        self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self)
        return FALSE;

    LRESULT result = 0;
    bool handled = self->OnWndMsg(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        self->m_controlsBound = false; // the next window of this object binds its own
    }
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}
