#pragma once
// CInputTabCtrl: the input editor's tab control (id IDC_INPUT_TABS) with its keyboard and
// gamepad pages. The pages are children of the editor, laid over the control's display area,
// so that they sit after the OK and Cancel buttons in the editor's tab order. The selected
// tab is kept between openings of the editor.

#include "ui/input/InputTab.h"
#include "window/TabCtrl.h"

class CInputEditorDlg;

class CInputTabCtrl : public CTabCtrl {
public:
    explicit CInputTabCtrl(CInputEditorDlg& editor);

    CInputTab& KeyboardPage() { return m_keyboardPage; }
    CInputTab& GamepadPage() { return m_gamepadPage; }

    // 0 shows the keyboard page, anything else the gamepad page; the other is hidden and
    // disabled.
    void ShowPage(int index);

    bool OnReflectedNotify(const NMHDR& header, LRESULT& result) override;

protected:
    // Runs when the editor binds the control: the tabs, both pages and the current page.
    void PreSubclassWindow() override;

private:
    void PlacePages();

    CInputEditorDlg& m_editor;
    int m_currentTab = 0; // 0 keyboard, 1 gamepad
    CInputTab m_keyboardPage;
    CInputTab m_gamepadPage;
};
