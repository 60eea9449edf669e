#include "ui/input/EditKeyBind.h"

#include "input/InputContext.h"
#include "input/KeyNames.h"
#include "ui/input/InputEditorDlg.h"
#include "ui/input/InputTab.h"
#include "window/MessageBox.h"

namespace {

// Id of the timer that keeps a gamepad capture polling without other messages.
constexpr UINT_PTR kPollTimerId = 0;
constexpr UINT kPollMs = 10;

} // namespace

void CEditKeyBind::PreSubclassWindow() {
    m_capture = BindingCapture();
    m_gamepadMode = false;
    m_enabled = true;
    m_pollTimer = false;
}

void CEditKeyBind::SetCaptureEnabled(bool enabled) {
    m_enabled = enabled;
    Enable(enabled);
}

void CEditKeyBind::ShowKey() {
    if (m_binding.keyCode == 0)
        SetText(u"");
    else
        SetText(m_page->Editor().Text(KeyCodeToName(m_binding.keyCode)));
}

bool CEditKeyBind::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    CaptureStep(message);
    switch (message) {
    case WM_LBUTTONDBLCLK:
        // The edit's own double click would select a word.
        if (m_enabled)
            StartCapture();
        result = 0;
        return true;
    case WM_SETFOCUS:
        // Without the edit's focus handling there is no caret in a field that never types.
        EndCaptureOnFocus();
        result = 0;
        return true;
    case WM_KILLFOCUS:
        EndCaptureOnFocus();
        result = DefaultProc(message, wParam, lParam);
        m_page->Editor().RedrawWithChildren();
        return true;
    case WM_RBUTTONDOWN:
        // No context menu: the right button is something to bind.
        result = 0;
        return true;
    default:
        return false;
    }
}

void CEditKeyBind::StartCapture() {
    m_capture.Start();
    RedrawWithChildren();
    m_page->Editor().BlockInput();
}

void CEditKeyBind::EndCaptureOnFocus() {
    m_capture.Stop();
    m_page->Editor().UnblockInputSoon();
}

void CEditKeyBind::CaptureStep(UINT message) {
    // EM_GETRECT is what this step sends itself to place the cursor.
    if (!m_capture.IsCapturing() || message == EM_GETRECT) {
        StopPollTimer();
        return;
    }
    InputContext* context = GetInputContext();
    if (!context)
        return;
    if (m_gamepadMode) {
        const CaptureResult capture = m_capture.GamepadStep(*context);
        StartPollTimer();
        TakeResult(capture);
        return;
    }
    TakeResult(m_capture.KeyboardStep(*context, CursorInField(), m_page->Editor().LayoutName()));
}

void CEditKeyBind::TakeResult(const CaptureResult& capture) {
    if (capture.refused)
        RefuseKey();
    if (capture.bound)
        StoreKey(capture);
}

void CEditKeyBind::RefuseKey() {
    StopPollTimer();
    CInputEditorDlg& editor = m_page->Editor();
    // The capture is over even if this field never had the focus, whose change would
    // otherwise be what lifts the editor's block.
    editor.UnblockInputSoon();
    RedrawWithChildren();
    ShowMessageBox(m_hWnd, editor.Text(u"Warning"), editor.Text(u"InvalidKey"),
                   MB_OK | MB_ICONEXCLAMATION);
}

void CEditKeyBind::StoreKey(const CaptureResult& capture) {
    StopPollTimer();
    CInputEditorDlg& editor = m_page->Editor();
    const bool accepted = m_page->AcceptBinding(m_entry, capture.keyCode);
    // Refused or not, the capture is over; see RefuseKey.
    editor.UnblockInputSoon();
    if (accepted) {
        m_binding.keyCode = capture.keyCode;
        SetText(editor.Text(capture.keyName));
        editor.RedrawWithChildren();
    } else {
        RedrawWithChildren();
    }
}

bool CEditKeyBind::CursorInField() const {
    POINT cursor{};
    if (!GetCursorPos(&cursor) || !::ScreenToClient(m_hWnd, &cursor))
        return false;
    const RECT format = GetRect();
    return cursor.x >= 0 && cursor.x <= format.right && cursor.y >= 0 && cursor.y <= format.bottom;
}

void CEditKeyBind::StartPollTimer() {
    m_pollTimer = StartTimer(kPollTimerId, kPollMs);
}

void CEditKeyBind::StopPollTimer() {
    // Runs for nearly every message of an idle field; skip the call when nothing runs.
    if (!m_pollTimer)
        return;
    StopTimer(kPollTimerId);
    m_pollTimer = false;
}
