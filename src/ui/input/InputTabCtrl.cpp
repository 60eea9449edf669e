#include "ui/input/InputTabCtrl.h"

#include "ui/input/InputEditorDlg.h"

CInputTabCtrl::CInputTabCtrl(CInputEditorDlg& editor)
    : m_editor(editor), m_keyboardPage(editor), m_gamepadPage(editor) {}

void CInputTabCtrl::PreSubclassWindow() {
    Send(TCM_DELETEALLITEMS);
    InsertItem(0, m_editor.Text(u"Keyboard"));
    InsertItem(1, m_editor.Text(u"Gamepad"));

    const HWND editor = Parent();
    m_keyboardPage.Create(editor);
    m_gamepadPage.Create(editor);
    m_gamepadPage.MarkAsGamepadPage();
    PlacePages();

    ShowPage(m_currentTab);
    SetCurSel(m_currentTab);
}

void CInputTabCtrl::PlacePages() {
    RECT area = WindowRect();
    MapWindowPoints(nullptr, Parent(), reinterpret_cast<POINT*>(&area), 2);
    AdjustRect(false, area);
    // The pages stay last in the z-order, and so in the Tab order, after OK and Cancel; the
    // tab control's WS_CLIPSIBLINGS keeps it from painting over them.
    for (CInputTab* page : {&m_keyboardPage, &m_gamepadPage}) {
        SetWindowPos(page->Handle(), nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    }
}

void CInputTabCtrl::ShowPage(int index) {
    CInputTab& shown = index == 0 ? m_keyboardPage : m_gamepadPage;
    CInputTab& hidden = index == 0 ? m_gamepadPage : m_keyboardPage;
    hidden.ShowPage(false);
    shown.ShowPage(true);
}

bool CInputTabCtrl::OnReflectedNotify(const NMHDR& header, LRESULT& result) {
    if (header.code != TCN_SELCHANGE)
        return false;
    const int selected = GetCurSel();
    if (selected >= 0 && selected != m_currentTab) {
        m_currentTab = selected;
        ShowPage(m_currentTab);
    }
    result = 0;
    return true;
}
