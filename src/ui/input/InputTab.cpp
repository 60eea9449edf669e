#include "ui/input/InputTab.h"

#include "input/InputContext.h"
#include "resource.h"
#include "system/WideText.h"
#include "ui/input/InputEditorDlg.h"
#include "ui/input/InputTabRows.h"
#include "window/MessageBox.h"

namespace {

constexpr COLORREF kCapturingColour = RGB(255, 0, 0);
constexpr COLORREF kEnabledColour = RGB(255, 255, 255);
constexpr COLORREF kDisabledColour = RGB(180, 180, 180);

constexpr UINT_PTR kPadTimerId = 0;
constexpr UINT kPadTimerMs = 100;

constexpr int kLeftStickEntries[] = {14, 15, 16, 23};

} // namespace

const MessageMapEntry<CInputTab> CInputTab::kMessageMap[] = {
    OnMessage(WM_CTLCOLOREDIT, &CInputTab::OnCtlColor),
    OnMessage(WM_CTLCOLORSTATIC, &CInputTab::OnCtlColor),
    OnMessage(WM_TIMER, &CInputTab::OnTimer),
    OnCommand(BN_CLICKED, IDC_RESET_DEFAULT, &CInputTab::OnResetDefault),
};

CInputTab::CInputTab(CInputEditorDlg& editor)
    : CDialog(IDD_INPUT_TAB), m_editor(editor), m_redBrush(CreateSolidBrush(kCapturingColour)),
      m_whiteBrush(CreateSolidBrush(kEnabledColour)),
      m_greyBrush(CreateSolidBrush(kDisabledColour)) {
    for (size_t entry = 0; entry < m_entries.size(); ++entry)
        m_entries[entry].SetPage(*this, static_cast<int>(entry));
}

bool CInputTab::OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageMap(*this, std::span(kMessageMap), message, wParam, lParam, result);
}

bool CInputTab::Create(HWND parent) {
    m_isGamepadPage = false;
    m_padConnected = false;
    // The page's data exchange names the entries again; a page that cannot be made keeps no
    // game inputs, and bindings without them are never saved.
    for (CEditKeyBind& field : m_entries)
        field.Binding().gameInput.clear();
    return CreateModeless(parent);
}

void CInputTab::DoDataExchange() {
    const BindingPage names = MakeBindingPage(BindingPageKind::Keyboard);
    for (const InputTabRow& row : InputTabRows()) {
        CEditKeyBind& field = m_entries[static_cast<size_t>(row.entry)];
        if (field.Handle() == Item(row.editId))
            continue;
        SubclassControl(field, row.editId);
        field.Binding().gameInput = names[static_cast<size_t>(row.entry)].gameInput;
        field.Binding().value = names[static_cast<size_t>(row.entry)].value;
    }
}

void CInputTab::MarkAsGamepadPage() {
    const BindingPage pad = MakeBindingPage(BindingPageKind::Gamepad);
    for (size_t entry = 0; entry < m_entries.size(); ++entry) {
        m_entries[entry].SetGamepadMode(true);
        m_entries[entry].SetCaptureEnabled(false);
        m_entries[entry].Binding().value = pad[entry].value;
    }
    m_isGamepadPage = true;
    m_padConnected = false;
}

void CInputTab::ShowPage(bool show) {
    if (show) {
        Enable(true);
        Show(true);
        StartTimer(kPadTimerId, kPadTimerMs);
        if (m_isGamepadPage)
            UpdatePadConnection();
    } else {
        Show(false);
        Enable(false);
        StopTimer(kPadTimerId);
    }
}

BindingPage CInputTab::Bindings() const {
    BindingPage page;
    for (size_t entry = 0; entry < m_entries.size(); ++entry)
        page[entry] = m_entries[entry].Binding();
    return page;
}

void CInputTab::SetKeyCodes(const BindingPage& page) {
    for (size_t entry = 0; entry < m_entries.size(); ++entry)
        m_entries[entry].Binding().keyCode = page[entry].keyCode;
}

void CInputTab::ResetToDefaults() {
    BindingPage page = Bindings();
    ::ResetToDefaults(page, Kind(), m_editor.LayoutName());
    SetKeyCodes(page);
    ShowKeys();
}

void CInputTab::Localise() {
    for (const InputTabText& text : InputTabTexts())
        SetDlgItemTextW(m_hWnd, text.id, AsWide(m_editor.Text(text.key)));
    for (const InputTabRow& row : InputTabRows())
        SetDlgItemTextW(m_hWnd, row.labelId, AsWide(m_editor.Text(row.labelKey)));
}

void CInputTab::ShowKeys() {
    for (CEditKeyBind& field : m_entries)
        field.ShowKey();
}

bool CInputTab::AcceptBinding(int entry, int32_t keyCode) {
    const int other = FindDuplicateBinding(Bindings(), entry, keyCode);
    if (other < 0)
        return true;
    const int answer =
        ShowMessageBox(m_hWnd, m_editor.Text(u"Warning"), m_editor.Text(u"AlreadyBound"),
                       MB_YESNO | MB_ICONEXCLAMATION);
    if (answer != IDYES)
        return false;
    CEditKeyBind& previous = m_entries[static_cast<size_t>(other)];
    previous.Binding().keyCode = 0;
    previous.SetText(u"");
    return true;
}

void CInputTab::UpdatePadConnection() {
    InputContext* context = GetInputContext();
    const bool connected = context && PollPad(*context);
    if (connected == m_padConnected)
        return;
    for (size_t entry = 0; entry < m_entries.size(); ++entry) {
        const bool enable = connected && !IsLeftStickEntry(static_cast<int>(entry));
        m_entries[entry].SetCaptureEnabled(enable);
    }
    m_padConnected = connected;
    RedrawWithChildren();
}

bool CInputTab::OnCtlColor(WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HWND control = reinterpret_cast<HWND>(lParam);
    for (const CEditKeyBind& field : m_entries) {
        if (field.Handle() != control || !control)
            continue;
        HGDIOBJ brush = m_greyBrush.Get();
        COLORREF colour = kDisabledColour;
        if (field.IsCapturing()) {
            brush = m_redBrush.Get();
            colour = kCapturingColour;
        } else if (field.IsCaptureEnabled()) {
            brush = m_whiteBrush.Get();
            colour = kEnabledColour;
        }
        SetBkColor(reinterpret_cast<HDC>(wParam), colour);
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    return false;
}

bool CInputTab::OnTimer(WPARAM wParam, LPARAM, LRESULT& result) {
    if (wParam != kPadTimerId)
        return false;
    if (m_isGamepadPage)
        UpdatePadConnection();
    result = 0;
    return true;
}

void CInputTab::OnResetDefault() {
    ResetToDefaults();
}

BindingPageKind CInputTab::Kind() const {
    return m_isGamepadPage ? BindingPageKind::Gamepad : BindingPageKind::Keyboard;
}

bool CInputTab::IsLeftStickEntry(int entry) {
    for (int stick : kLeftStickEntries) {
        if (stick == entry)
            return true;
    }
    return false;
}
