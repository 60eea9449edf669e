// The main window's commands, SaveSettings and CloseConfiguration.

#include "ui/main/ConfiguratorDlg.h"

#include "config/ConfigStore.h"
#include "config/LocalisedText.h"
#include "config/Text.h"
#include "rendering/DerivedRenderingValues.h"
#include "system/Registry.h"
#include "system/UserFolder.h"
#include "system/WideText.h"
#include "ui/SaveWarning.h"
#include "ui/main/MainWindowLists.h"

namespace {

// Language codes are read back from the list as at most this many characters.
constexpr int kLanguageTextBuffer = 10;

} // namespace

void CConfiguratorDlg::OnOkClicked() {
    // A failed save keeps the window and everything loaded, so the player can retry or
    // cancel.
    if (!SaveSettings())
        return;
    CloseConfiguration();
    CDialog::OnOK();
}

void CConfiguratorDlg::OnCancelClicked() {
    CloseConfiguration();
    CDialog::OnCancel();
}

void CConfiguratorDlg::OnClose() {
    CloseConfiguration();
    // What the system does for a dialog's close box: press Cancel.
    Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDCANCEL)));
}

void CConfiguratorDlg::OnTextLanguageChanged() {
    m_textLanguage = m_textLanguageCombo.GetText(kLanguageTextBuffer);
    LocaliseControls();
}

void CConfiguratorDlg::OnVoiceLanguageChanged() {
    m_voiceLanguage = m_voiceLanguageCombo.GetText(kLanguageTextBuffer);
}

void CConfiguratorDlg::OnResolutionChanged() {
    // The resolution is read from the list when saving.
}

void CConfiguratorDlg::OnInputSettings() {
    if (!m_inputEditor)
        m_inputEditor = std::make_unique<CInputEditorDlg>(m_hWnd);
    m_inputEditor->m_ownerRect = WindowRect();
    m_inputEditor->Run(m_textLanguage, InputLayoutName(m_keyboardCombo.GetCurSel()));
}

bool CConfiguratorDlg::OnDestroy(WPARAM, LPARAM, LRESULT&) {
    DestroyRenderingRows();
    m_autoDetectTip.Destroy();
    m_inputEditor.reset();
    return false; // the system's own handling of the destruction still runs
}

bool CConfiguratorDlg::SaveSettings() {
    if (UserStore)
        PrepareUserFolder(*UserStore);
    SaveRenderingRows();
    SaveDerivedRenderingValues(m_presetLevel);

    const int mode = m_resolutionCombo.GetCurSel();
    if (mode >= 0 && static_cast<size_t>(mode) < m_displayModes.size()) {
        const DEVMODEW& record = m_displayModes[static_cast<size_t>(mode)];
        WriteUserValue(u"Viewport", u"Width", FormatDecimal(record.dmPelsWidth));
        WriteUserValue(u"Viewport", u"Height", FormatDecimal(record.dmPelsHeight));
    }
    WriteUserValue(u"Rendering", u"Fullscreen", FormatDecimal(m_fullscreenCombo.GetCurSel()));
    WriteUserValue(u"Input", u"KeyboardLayout", KeyboardLayoutText(m_keyboardCombo.GetCurSel()));

    // A save that fails must change nothing: the languages go back as they were, or away.
    const HKEY key = m_userKey.Get();
    const auto language = ReadRegistryValue(key, L"Language");
    const auto speech = ReadRegistryValue(key, L"Speech");
    if (key) {
        WriteRegistryText(key, L"Language", m_textLanguage);
        WriteRegistryText(key, L"Speech", m_voiceLanguage);
    }
    const ConfigFile* failed = WriteUserFiles();
    if (!failed)
        return true;
    if (key) {
        RestoreRegistryValue(key, L"Language", language);
        RestoreRegistryValue(key, L"Speech", speech);
    }
    ShowSaveWarning(m_hWnd, m_textLanguage, failed->Path());
    return false;
}

const ConfigFile* CConfiguratorDlg::WriteUserFiles() {
    if (!UserStore)
        return nullptr;
    const ConfigFile* failed = nullptr;
    for (const std::unique_ptr<ConfigFile>& file : UserStore->Files()) {
        // Only "User" is ever changed; another file the player made read-only (the layout
        // mapping) keeps its contents instead of failing every save.
        if (file->Name() != u"User" && IsReadOnlyFile(file->Path()))
            continue;
        if (!file->Write() && !failed)
            failed = file.get();
    }
    return failed;
}

void CConfiguratorDlg::CloseConfiguration() {
    m_userKey.Reset();
    ReleaseConfigStores();
}
