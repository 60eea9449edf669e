#pragma once
// CConfiguratorDlg: the main window. It starts from the installation that the application
// finds for it, shows the player's choices from the user file "User" and the registry, and
// writes them back on OK (SaveSettings). Until OK nothing is written: the handlers change only
// the controls and the members.

#include "rendering/RenderingRows.h"
#include "system/ScopedHandles.h"
#include "ui/input/InputEditorDlg.h"
#include "ui/main/LocatedInstallation.h"
#include "window/Button.h"
#include "window/ComboBox.h"
#include "window/Dialog.h"
#include "window/Dpi.h"
#include "window/Static.h"
#include "window/ToolTip.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class ConfigFile;

class CConfiguratorDlg : public CDialog {
public:
    // locate runs when the window initialises, with the window as the owner of its messages.
    explicit CConfiguratorDlg(LocateInstallation locate);
    ~CConfiguratorDlg() override;

    // Passes every notification of a rendering row's combo to the row notification, then
    // every message on to the normal dispatch.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    bool OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // One rendering row's run-time controls; either may be absent.
    struct RenderingRowControls {
        std::unique_ptr<CComboBox> combo;
        std::unique_ptr<CStatic> label;
    };

    static const MessageMapEntry<CConfiguratorDlg> kMessageMap[];

    // Handlers of the message map.
    bool OnPaint(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnQueryDragIcon(WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnPresetChanged();
    void OnClose();
    void OnCancelClicked();
    void OnOkClicked();
    void OnCustomClicked();
    void OnTextLanguageChanged();
    void OnResolutionChanged();
    bool OnDestroy(WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnVoiceLanguageChanged();
    void OnAutoDetect();
    void OnInputSettings();
    bool OnDpiChanged(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnFollowDpi(WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Posted by OnDpiChanged, so that the program's geometry follows the dialog manager's.
    static constexpr UINT kFollowDpiMessage = WM_APP + 1;

    // Initialisation.
    void FillLanguageLists(const LocatedInstallation& located);
    void FillResolutionList();
    void SelectFullscreen();
    void FillKeyboardList();
    void LocaliseControls();
    void ShowExpandedLayout();
    void ShowCompactLayout();
    void ArrangeExpandedControls();
    void ArrangeCompactControls();
    void PlaceWindow(const RECT& layout);
    void FitCompactRectToButtons();
    void MeasureExpandedLayout();
    void ChooseEmblemImage();

    // A 96-DPI pixel value at the window's DPI.
    int Px(int value) const { return ScaleToDpi(value, m_dpi); }

    // The rendering panel and the preset.
    void LoadPresetState();
    void CreateRenderingRows();
    void PlaceRenderingRows();
    void FillPresetCombo();
    void LocaliseRenderingRows();
    void ApplyPresetToRows();
    void SetCustomRendering(bool on);
    bool IsRowNotification(WPARAM wParam, LPARAM lParam) const;
    void ShowRenderingRows(bool show);
    void SaveRenderingRows();
    void DestroyRenderingRows();
    void ShowSurveySummary(const std::u16string& summary);

    // Saving and release. SaveSettings returns false, after putting the registry values back
    // and telling the player, when a file of the user folder could not be written.
    bool SaveSettings();
    const ConfigFile* WriteUserFiles(); // the first file that could not be written, or null
    void CloseConfiguration();

    // GetConfiguratorText in the current text language.
    std::u16string Text(const std::u16string& key) const;

    LocateInstallation m_locate;
    HICON m_hIcon = nullptr; // shared resource icon: never destroyed
    CButton m_cancelButton;
    CButton m_okButton;
    CComboBox m_presetCombo;
    CStatic m_presetLabel;
    CRegistryKey m_userKey;
    std::u16string m_userConfigDir;
    CComboBox m_textLanguageCombo;
    CComboBox m_voiceLanguageCombo;
    CButton m_customCheck;
    RECT m_compactRect{};
    RECT m_expandedRect{};
    int32_t m_presetLevel = 0;
    std::u16string m_textLanguage;
    std::u16string m_voiceLanguage;
    CStatic m_textLabel;
    CStatic m_voiceLabel;
    CStatic m_resolutionLabel;
    CComboBox m_resolutionCombo;
    std::vector<DEVMODEW> m_displayModes;
    bool m_customRendering = false;
    CStatic m_pictureStatic;
    CButton m_autoDetectButton;
    CComboBox m_fullscreenCombo;
    CComboBox m_keyboardCombo;
    CStatic m_keyboardLabel;
    CStatic m_fullscreenLabel;
    CButton m_inputSettingsButton;
    // Created on the first Input settings, destroyed with the window.
    std::unique_ptr<CInputEditorDlg> m_inputEditor;

    // The DPI that the program's own pixel values are scaled to.
    UINT m_dpi = kBaseDpi;
    // The rendering panel's run-time controls, from initialisation until WM_DESTROY.
    std::array<RenderingRowControls, kRenderingRowCount> m_renderingRows;
    CToolTip m_autoDetectTip;
};
