#include "ui/main/ConfiguratorDlg.h"

#include "config/ConfigStore.h"
#include "config/LocalisedText.h"
#include "resource.h"

const MessageMapEntry<CConfiguratorDlg> CConfiguratorDlg::kMessageMap[] = {
    OnMessage(WM_PAINT, &CConfiguratorDlg::OnPaint),
    OnMessage(WM_QUERYDRAGICON, &CConfiguratorDlg::OnQueryDragIcon),
    OnCommand(CBN_SELCHANGE, IDC_PRESET_COMBO, &CConfiguratorDlg::OnPresetChanged),
    OnMessage(WM_CLOSE, &CConfiguratorDlg::OnClose),
    OnCommand(BN_CLICKED, IDCANCEL, &CConfiguratorDlg::OnCancelClicked),
    OnCommand(BN_CLICKED, IDOK, &CConfiguratorDlg::OnOkClicked),
    OnCommand(BN_CLICKED, IDC_CUSTOM_CHECK, &CConfiguratorDlg::OnCustomClicked),
    OnCommand(CBN_SELCHANGE, IDC_TEXT_COMBO, &CConfiguratorDlg::OnTextLanguageChanged),
    OnCommand(CBN_SELCHANGE, IDC_RESOLUTION_COMBO, &CConfiguratorDlg::OnResolutionChanged),
    OnMessage(WM_DESTROY, &CConfiguratorDlg::OnDestroy),
    OnCommand(CBN_SELCHANGE, IDC_VOICE_COMBO, &CConfiguratorDlg::OnVoiceLanguageChanged),
    OnCommand(BN_CLICKED, IDC_AUTODETECT, &CConfiguratorDlg::OnAutoDetect),
    OnCommand(BN_CLICKED, IDC_INPUT_SETTINGS, &CConfiguratorDlg::OnInputSettings),
    OnMessage(WM_DPICHANGED, &CConfiguratorDlg::OnDpiChanged),
    OnMessage(kFollowDpiMessage, &CConfiguratorDlg::OnFollowDpi),
};

CConfiguratorDlg::CConfiguratorDlg(LocateInstallation locate)
    : CDialog(IDD_CONFIGURATOR), m_locate(locate) {
    m_hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CONFIGURATOR));
}

CConfiguratorDlg::~CConfiguratorDlg() = default;

bool CConfiguratorDlg::OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DispatchMessageMap(*this, kMessageMap, message, wParam, lParam, result);
}

bool CConfiguratorDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && IsRowNotification(wParam, lParam))
        SetCustomRendering(true);
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CConfiguratorDlg::DoDataExchange() {
    BindControl(m_cancelButton, IDCANCEL);
    BindControl(m_okButton, IDOK);
    BindControl(m_presetCombo, IDC_PRESET_COMBO);
    BindControl(m_presetLabel, IDC_PRESET_LABEL);
    BindControl(m_textLanguageCombo, IDC_TEXT_COMBO);
    BindControl(m_voiceLanguageCombo, IDC_VOICE_COMBO);
    BindControl(m_customCheck, IDC_CUSTOM_CHECK);
    BindControl(m_textLabel, IDC_TEXT_LABEL);
    BindControl(m_voiceLabel, IDC_VOICE_LABEL);
    BindControl(m_resolutionLabel, IDC_RESOLUTION_LABEL);
    BindControl(m_resolutionCombo, IDC_RESOLUTION_COMBO);
    BindControl(m_pictureStatic, IDC_PICTURE);
    BindControl(m_autoDetectButton, IDC_AUTODETECT);
    BindControl(m_fullscreenCombo, IDC_FULLSCREEN_COMBO);
    BindControl(m_keyboardCombo, IDC_KEYBOARD_COMBO);
    BindControl(m_keyboardLabel, IDC_KEYBOARD_LABEL);
    BindControl(m_fullscreenLabel, IDC_FULLSCREEN_LABEL);
    BindControl(m_inputSettingsButton, IDC_INPUT_SETTINGS);
}

bool CConfiguratorDlg::OnInitDialog() {
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_customRendering = false;
    m_dpi = WindowDpi(m_hWnd);

    LocatedInstallation located = m_locate(m_hWnd);
    m_userKey = std::move(located.userKey);
    m_userConfigDir = located.userConfigDir;
    m_textLanguage = located.textLanguage;
    m_voiceLanguage = located.voiceLanguage;

    FillLanguageLists(located);

    UserStore = std::make_unique<ConfigStore>(m_userConfigDir);
    ProfileStore = std::make_unique<ConfigStore>(located.profilesDir);
    LangStore = std::make_unique<ConfigStore>(located.languageDir);

    LoadPresetState();
    m_presetLabel.SetText(Text(u"BASEDON"));
    CreateRenderingRows();
    FillResolutionList();
    if (m_customCheck.GetCheck() == BST_UNCHECKED)
        ApplyPresetToRows();
    m_pictureStatic.BringToTop();
    ChooseEmblemImage();
    LocaliseControls();
    SelectFullscreen();
    FillKeyboardList();
    if (m_customCheck.GetCheck() != BST_UNCHECKED)
        ShowExpandedLayout();
    else
        ShowCompactLayout();
    return true;
}

std::u16string CConfiguratorDlg::Text(const std::u16string& key) const {
    return GetConfiguratorText(m_textLanguage, key);
}
