#pragma once
// CInputEditorDlg: the input editor (template IDD_INPUT_EDITOR), opened modally by the main
// dialog. It shows the bindings of one keyboard layout on a keyboard and a gamepad page, sets
// up DirectInput once per process, writes the bindings on OK and discards them on Cancel.
// While a field captures, and until 10 ms after, it swallows clicks and commands, so that a
// mouse button pressed as a binding does not also press one of its buttons.

#include "ui/input/InputTabCtrl.h"
#include "window/Button.h"
#include "window/Dialog.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

class CInputEditorDlg : public CDialog {
public:
    // owner: the window the editor is modal over (the main dialog), or null.
    explicit CInputEditorDlg(HWND owner);

    // Loads the layout's scan-code table, runs the editor modally in language (the language
    // file of its texts) and returns IDOK or IDCANCEL (-1 when the window cannot be made).
    INT_PTR Run(const std::u16string& language, const std::u16string& layoutName);

    // The main window's screen rectangle, set before Run: the editor opens centred on it.
    RECT m_ownerRect{};

    // The text of key in section "InputEditor" of the editor's language, or the key.
    std::u16string Text(std::u16string_view key) const;
    // "InputQWERTY", "InputAZERTY", "InputQWERTZ" or empty.
    const std::u16string& LayoutName() const { return m_layoutName; }

    // A field starts capturing: block until UnblockInputSoon.
    void BlockInput();
    // A capture ended or a field's focus changed: the block ends 10 ms from now.
    void UnblockInputSoon();

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    bool InitDirectInput();
    void LoadBindings();
    // True when the bindings reached the disk.
    bool SaveBindings();
    // Where the bindings are saved, for the warning when they were not.
    std::u16string UserFilePath() const;
    void Localise();
    void CentreOverOwner();

    HWND m_owner;
    std::u16string m_language;
    bool m_blockInput = false;
    // When the block ends; none while a capture runs.
    std::optional<std::chrono::steady_clock::time_point> m_unblockTime;
    std::u16string m_layoutName;
    CButton m_okButton;
    CButton m_cancelButton;
    CInputTabCtrl m_tabCtrl;
};
