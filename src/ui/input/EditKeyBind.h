#pragma once
// CEditKeyBind: the read-only field of one action on an input editor page. It shows the bound
// key and, after a double click, captures the next key, mouse button or pad control. It polls
// the devices on every message that reaches it (and every 10 ms in gamepad mode); what counts
// as a result is decided by BindingCapture, this class only feeds it and shows the outcome.

#include "input/BindingCapture.h"
#include "input/Bindings.h"
#include "window/Edit.h"

#include <cstdint>

class CInputTab;

class CEditKeyBind : public CEdit {
public:
    // The page that owns the field and the field's entry index on it.
    void SetPage(CInputTab& page, int entry) {
        m_page = &page;
        m_entry = entry;
    }

    BindingEntry& Binding() { return m_binding; }
    const BindingEntry& Binding() const { return m_binding; }

    // Gamepad mode polls XInput instead of the keyboard and the mouse.
    void SetGamepadMode(bool gamepad) { m_gamepadMode = gamepad; }
    // A field that may not capture is also a disabled window, painted grey by its page.
    void SetCaptureEnabled(bool enabled);
    bool IsCaptureEnabled() const { return m_enabled; }
    bool IsCapturing() const { return m_capture.IsCapturing(); }

    // The text of the bound key in the editor's language; empty when unbound.
    void ShowKey();

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    // Every opening of the editor creates a new window: the field starts idle and enabled.
    void PreSubclassWindow() override;

private:
    void StartCapture();
    void EndCaptureOnFocus();
    void CaptureStep(UINT message);
    void TakeResult(const CaptureResult& capture);
    void RefuseKey();
    void StoreKey(const CaptureResult& capture);
    bool CursorInField() const;
    void StartPollTimer();
    void StopPollTimer();

    CInputTab* m_page = nullptr;
    int m_entry = 0;
    bool m_gamepadMode = false;
    bool m_enabled = true;
    bool m_pollTimer = false;
    BindingCapture m_capture;
    BindingEntry m_binding;
};
