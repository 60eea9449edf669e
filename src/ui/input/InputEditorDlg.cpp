// Before <windows.h>, which defines LoadKeyboardLayout as a macro for its own function.
#include "input/KeyboardLayout.h"

#include "ui/input/InputEditorDlg.h"

#include "config/ConfigStore.h"
#include "config/LocalisedText.h"
#include "input/InputContext.h"
#include "resource.h"
#include "system/UserFolder.h"
#include "system/WideText.h"
#include "ui/SaveWarning.h"
#include "window/MessageBox.h"

#undef LoadKeyboardLayout

namespace {

// Long enough for the click that ended a capture to arrive and be swallowed. The steady
// clock measures it to the millisecond without the multimedia timer's library and without
// wrapping.
constexpr std::chrono::milliseconds kUnblockDelay(10);

// What a click or a command reaches the editor as.
bool IsBlockedMessage(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_HELP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return true;
    default:
        return false;
    }
}

} // namespace

CInputEditorDlg::CInputEditorDlg(HWND owner)
    : CDialog(IDD_INPUT_EDITOR), m_owner(owner), m_tabCtrl(*this) {}

INT_PTR CInputEditorDlg::Run(const std::u16string& language, const std::u16string& layoutName) {
    m_language = language;
    m_layoutName = layoutName;
    LoadKeyboardLayout(m_layoutName);
    return DoModal(m_owner);
}

std::u16string CInputEditorDlg::Text(std::u16string_view key) const {
    return GetInputEditorText(m_language, std::u16string(key));
}

void CInputEditorDlg::BlockInput() {
    m_blockInput = true;
    m_unblockTime.reset();
}

void CInputEditorDlg::UnblockInputSoon() {
    m_unblockTime = std::chrono::steady_clock::now() + kUnblockDelay;
}

bool CInputEditorDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (m_blockInput) {
        if (m_unblockTime && std::chrono::steady_clock::now() >= *m_unblockTime)
            m_blockInput = false;
        // Even the message that lifts the block is swallowed: it is the click that ended
        // the capture.
        if (IsBlockedMessage(message)) {
            result = 1;
            return true;
        }
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CInputEditorDlg::DoDataExchange() {
    BindControl(m_okButton, IDOK);
    BindControl(m_cancelButton, IDCANCEL);
    SubclassControl(m_tabCtrl, IDC_INPUT_TABS);
}

bool CInputEditorDlg::OnInitDialog() {
    if (!InitDirectInput()) {
        EndDialog(IDCANCEL);
        return false;
    }
    LoadBindings();
    Localise();
    m_tabCtrl.KeyboardPage().ShowKeys();
    m_tabCtrl.GamepadPage().ShowKeys();
    CentreOverOwner();
    return true;
}

void CInputEditorDlg::OnOK() {
    // As the main window does: the editor stays open, so the player can try again or cancel
    // knowing that the bindings were not saved.
    if (!SaveBindings()) {
        ShowSaveWarning(m_hWnd, m_language, UserFilePath());
        return;
    }
    CDialog::OnOK();
}

bool CInputEditorDlg::InitDirectInput() {
    InputContext* context = GetInputContext();
    InputSetupResult setup = InputSetupResult::DirectInputFailed;
    if (context) {
        // The devices outlive the editor's window: each new window takes them over, or, when
        // that fails, gets them made anew.
        if (context->devices->IsReady() && context->devices->UseWindow(m_hWnd))
            return true;
        setup = context->devices->Initialise(m_hWnd);
    }
    if (setup == InputSetupResult::Ok)
        return true;
    ShowMessageBox(m_hWnd, Text(u"Error"), Text(SetupErrorTextKey(setup)), MB_OK | MB_ICONSTOP);
    return false;
}

void CInputEditorDlg::LoadBindings() {
    BindingPage keyboard = m_tabCtrl.KeyboardPage().Bindings();
    BindingPage gamepad = m_tabCtrl.GamepadPage().Bindings();
    ::LoadBindings(keyboard, gamepad, UserStore.get(), m_layoutName);
    m_tabCtrl.KeyboardPage().SetKeyCodes(keyboard);
    m_tabCtrl.GamepadPage().SetKeyCodes(gamepad);
}

bool CInputEditorDlg::SaveBindings() {
    // As the main window's OK does; without it a new player's first save here would fail.
    if (UserStore)
        PrepareUserFolder(*UserStore);
    return ::SaveBindings(m_tabCtrl.KeyboardPage().Bindings(), m_tabCtrl.GamepadPage().Bindings(),
                          UserStore.get(), m_layoutName);
}

std::u16string CInputEditorDlg::UserFilePath() const {
    const ConfigFile* file = UserStore ? UserStore->GetFile(u"User") : nullptr;
    return file ? file->Path() : std::u16string();
}

void CInputEditorDlg::Localise() {
    SetText(Text(u"InputEditor"));
    m_okButton.SetText(Text(u"OK"));
    m_cancelButton.SetText(Text(u"Cancel"));
    m_tabCtrl.KeyboardPage().Localise();
    m_tabCtrl.GamepadPage().Localise();
}

void CInputEditorDlg::CentreOverOwner() {
    const RECT editor = WindowRect();
    const int width = editor.right - editor.left;
    const int height = editor.bottom - editor.top;
    const int ownerWidth = m_ownerRect.right - m_ownerRect.left;
    const int ownerHeight = m_ownerRect.bottom - m_ownerRect.top;
    MoveTo(m_ownerRect.left + ownerWidth / 2 - width / 2,
           m_ownerRect.top + ownerHeight / 2 - height / 2);
}
