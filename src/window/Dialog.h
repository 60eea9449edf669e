#pragma once
// CDialog: a dialog from a resource template, modal (DoModal) or a modeless child (Create).
// Every message of the dialog reaches OnWndMsg first; the base OnWndMsg hands WM_NOTIFY to
// the subclassed control that sent it, then runs the message map (OnMessageMap), then the
// defaults: WM_INITDIALOG binds the controls (DoDataExchange) and calls OnInitDialog, and
// the OK and Cancel buttons call OnOK and OnCancel. Whatever nobody handles goes to the
// system's dialog procedure.

#include "window/MessageMap.h"
#include "window/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId) : m_templateId(templateId) {}
    // A modeless window still open is destroyed with its object.
    ~CDialog() override;

    UINT TemplateId() const { return m_templateId; }

    // Runs the dialog modally; returns the EndDialog result, or -1 when the template
    // cannot be loaded.
    INT_PTR DoModal(HWND owner = nullptr);

    // Creates the dialog modeless (a child page when the template has WS_CHILD). False when
    // the window cannot be created. The caller destroys it with Destroy.
    bool CreateModeless(HWND parent);

    // Ends a modal dialog with result (IDOK, IDCANCEL, ...).
    void EndDialog(INT_PTR result);

    bool IsModal() const { return m_modal; }

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    // Runs when the window exists and its controls are bound, before it is first shown.
    // True lets the system give the focus to the first control.
    virtual bool OnInitDialog() { return true; }

    // Binds the member controls to the template's controls with BindControl or
    // SubclassControl. Runs at WM_INITDIALOG and again at OnOK; binding an already bound
    // control does nothing.
    virtual void DoDataExchange() {}

    // Modal dialogs: DoDataExchange, then EndDialog(IDOK). Modeless pages ignore OK.
    virtual void OnOK();
    // Modal dialogs: EndDialog(IDCANCEL). Modeless pages ignore Cancel.
    virtual void OnCancel();

    // The derived class's table, run through DispatchMessageMap.
    virtual bool OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Attaches control to the template's control id. Plain controls are only attached: each
    // message to a subclassed window costs a property lookup (a server round trip under
    // Wine), which the many captions and lists of a dialog would pay at every start.
    void BindControl(CWnd& control, int id);
    // For controls that handle their own messages or reflected notifications: attaches and
    // subclasses (see CWnd::SubclassWindow).
    void SubclassControl(CWnd& control, int id);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    bool m_modal = false;
    bool m_controlsBound = false; // DoDataExchange has bound the controls of this window
};
