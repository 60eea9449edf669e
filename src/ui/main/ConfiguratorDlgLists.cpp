// The lists of the main window: how each is filled at start and which entry is current.

#include "ui/main/ConfiguratorDlg.h"

#include "config/ConfigStore.h"
#include "input/KeyboardLayoutTable.h"
#include "resource.h"
#include "system/WideText.h"
#include "ui/main/MainWindowLists.h"

#include <optional>

namespace {

// The language codes of the data files matching pattern, in the order the system lists
// them; duplicates stay.
std::vector<std::u16string> ScanLanguageCodes(const std::u16string& pattern) {
    std::vector<std::u16string> codes;
    WIN32_FIND_DATAW found{};
    CFindHandle find(FindFirstFileW(AsWide(pattern), &found));
    if (!find)
        return codes;
    do {
        codes.push_back(LanguageCodeFromFileName(FromWide(found.cFileName)));
    } while (FindNextFileW(find.Get(), &found));
    return codes;
}

void FillLanguageList(CComboBox& combo, const std::vector<std::u16string>& codes,
                      const std::u16string& current) {
    for (const std::u16string& code : codes)
        combo.AddString(code);
    combo.SetCurSel(FindLanguageEntry(codes, current));
}

std::optional<std::u16string> ReadUserValue(const std::u16string& section,
                                            const std::u16string& key) {
    std::u16string value;
    if (!ReadValue(UserStore.get(), u"User", section, key, value))
        return std::nullopt;
    return value;
}

std::u16string ReadUserText(const std::u16string& section, const std::u16string& key) {
    return ReadUserValue(section, key).value_or(std::u16string());
}

DisplaySize SizeOf(const DEVMODEW& mode) {
    return {static_cast<int32_t>(mode.dmPelsWidth), static_cast<int32_t>(mode.dmPelsHeight)};
}

// The captions of the main window's own controls, by id and text key.
struct ControlCaption {
    int id;
    const char16_t* key;
};
constexpr ControlCaption kControlCaptions[] = {
    {IDC_PRESET_LABEL, u"BASEDON"},
    {IDC_CUSTOM_CHECK, u"Custom"},
    {IDC_TEXT_LABEL, u"Text"},
    {IDC_VOICE_LABEL, u"Voice"},
    {IDC_RESOLUTION_LABEL, u"Resolution"},
    {IDOK, u"OK"},
    {IDCANCEL, u"Cancel"},
    {IDC_KEYBOARD_LABEL, u"KeyboardSettings"},
    {IDC_FULLSCREEN_LABEL, u"Fullscreen"},
    {IDC_AUTODETECT, u"AutoDetect"},
    {IDC_INPUT_SETTINGS, u"InputSettings"},
};
static_assert(std::size(kControlCaptions) == 11);

} // namespace

void CConfiguratorDlg::FillLanguageLists(const LocatedInstallation& located) {
    FillLanguageList(m_textLanguageCombo, ScanLanguageCodes(located.textLanguagePattern),
                     m_textLanguage);
    FillLanguageList(m_voiceLanguageCombo, ScanLanguageCodes(located.voiceLanguagePattern),
                     m_voiceLanguage);
}

void CConfiguratorDlg::FillResolutionList() {
    DEVMODEW desktop{};
    desktop.dmSize = sizeof(desktop);
    EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &desktop);

    std::optional<std::u16string> width = ReadUserValue(u"Viewport", u"Width");
    std::optional<std::u16string> height;
    if (width)
        height = ReadUserValue(u"Viewport", u"Height");
    const DisplaySize wanted = WantedResolution(SizeOf(desktop), width, height);

    std::vector<DEVMODEW> modes;
    std::vector<DisplaySize> sizes;
    for (DWORD number = 0;; ++number) {
        DEVMODEW mode{};
        mode.dmSize = sizeof(mode);
        if (!EnumDisplaySettingsW(nullptr, number, &mode))
            break;
        modes.push_back(mode);
        sizes.push_back(SizeOf(mode));
    }

    const ResolutionList list = ChooseResolution(sizes, wanted);
    m_displayModes.clear();
    for (size_t i = 0; i < list.entries.size(); ++i) {
        m_resolutionCombo.AddString(list.entries[i]);
        m_displayModes.push_back(modes[list.modeIndices[i]]);
    }
    m_resolutionCombo.SetCurSel(list.selected);
}

void CConfiguratorDlg::SelectFullscreen() {
    m_fullscreenCombo.SetCurSel(FullscreenIndex(ReadUserText(u"Rendering", u"Fullscreen")));
}

void CConfiguratorDlg::FillKeyboardList() {
    for (const KeyboardLayoutRow& layout : KeyboardLayouts())
        m_keyboardCombo.AddString(std::u16string(layout.entry));
    m_keyboardCombo.SetCurSel(KeyboardLayoutIndex(ReadUserText(u"Input", u"KeyboardLayout")));
}

void CConfiguratorDlg::LocaliseControls() {
    SetText(Text(u"Configurator"));
    for (const ControlCaption& caption : kControlCaptions)
        SetDlgItemTextW(m_hWnd, caption.id, AsWide(Text(caption.key)));

    // The list never holds more than two entries.
    const int fullscreen = m_fullscreenCombo.GetCurSel();
    m_fullscreenCombo.DeleteString(0);
    m_fullscreenCombo.DeleteString(0);
    m_fullscreenCombo.AddString(Text(u"Disabled"));
    m_fullscreenCombo.AddString(Text(u"Enabled"));
    m_fullscreenCombo.SetCurSel(fullscreen);

    FillPresetCombo();
    LocaliseRenderingRows();
}
