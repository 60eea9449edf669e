#pragma once
// CInputTab: one page of the input editor (template IDD_INPUT_TAB), a child of the editor
// dialog. It holds the 27 binding fields, paints them (red while capturing, white when they
// may capture, grey when not), resolves a key bound twice on the page and, as the gamepad
// page, follows whether a pad is connected.

#include "input/Bindings.h"
#include "system/ScopedHandles.h"
#include "ui/input/EditKeyBind.h"
#include "window/Dialog.h"

#include <array>
#include <cstdint>

class CInputEditorDlg;

class CInputTab : public CDialog {
public:
    explicit CInputTab(CInputEditorDlg& editor);

    CInputEditorDlg& Editor() { return m_editor; }

    // Creates the page, hidden and disabled, as a child of parent. Every opening of the
    // editor creates it anew: it starts as a keyboard page without a pad.
    bool Create(HWND parent);

    // Every field captures from the pad and is disabled until a pad answers; the stick
    // axes feed both directions with 1.
    void MarkAsGamepadPage();
    bool IsGamepadPage() const { return m_isGamepadPage; }

    // Shows or hides the page; a shown page polls the pad every 100 ms (gamepad page only).
    void ShowPage(bool show);

    // The entries' key codes, game inputs and values, by entry index.
    BindingPage Bindings() const;
    void SetKeyCodes(const BindingPage& page);
    // The defaults of the page's kind and the editor's layout, shown at once.
    void ResetToDefaults();
    // Group boxes, labels and the reset button in the editor's language.
    void Localise();
    // Every field's text from its key code.
    void ShowKeys();

    // The duplicate check for a key just captured in field entry: true when no other field
    // of the page has keyCode, or when the player agrees to clear that field.
    bool AcceptBinding(int entry, int32_t keyCode);

    void UpdatePadConnection();

protected:
    void DoDataExchange() override;
    bool OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static const MessageMapEntry<CInputTab> kMessageMap[];

    bool OnCtlColor(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnTimer(WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnResetDefault();
    BindingPageKind Kind() const;
    // The stick axes, which the pad page never lets the player rebind.
    static bool IsLeftStickEntry(int entry);

    CInputEditorDlg& m_editor;
    CGdiObject m_redBrush;
    CGdiObject m_whiteBrush;
    CGdiObject m_greyBrush;
    bool m_isGamepadPage = false;
    bool m_padConnected = false;
    std::array<CEditKeyBind, BindableActionCount> m_entries; // by entry index
};
