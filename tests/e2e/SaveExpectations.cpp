#include "SaveExpectations.h"

#include "config/Text.h"

#include <windows.h>

#include <algorithm>

namespace {

const char* const kKeyboardLayouts[] = {"QWERTY", "AZERTY", "QWERTZ"};

DisplayMode DesktopMode() {
    DEVMODEW devMode{};
    devMode.dmSize = sizeof devMode;
    EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &devMode);
    return {static_cast<int>(devMode.dmPelsWidth), static_cast<int>(devMode.dmPelsHeight)};
}

int ReadNumber(const IniModel& userFile, const std::string& section, const std::string& key) {
    return ParseDecimalInt(Utf8ToUtf16(IniValue(userFile, section, key)));
}

} // namespace

std::wstring DisplayMode::Text() const {
    return std::to_wstring(width) + L" x " + std::to_wstring(height);
}

std::vector<DisplayMode> ListedDisplayModes() {
    std::vector<DisplayMode> modes;
    DEVMODEW devMode{};
    devMode.dmSize = sizeof devMode;
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &devMode); ++i) {
        const DisplayMode mode{static_cast<int>(devMode.dmPelsWidth),
                               static_cast<int>(devMode.dmPelsHeight)};
        const bool listed = std::ranges::any_of(
            modes, [&](const DisplayMode& m) { return m.Text() == mode.Text(); });
        if (!listed)
            modes.push_back(mode);
    }
    return modes;
}

int ExpectedResolutionIndex(const std::vector<DisplayMode>& listed, const IniModel& userFile) {
    DisplayMode wanted = DesktopMode();
    const auto viewport = userFile.find("Viewport");
    if (viewport != userFile.end() && viewport->second.contains("Width") &&
        viewport->second.contains("Height")) {
        const int width = ReadNumber(userFile, "Viewport", "Width");
        const int height = ReadNumber(userFile, "Viewport", "Height");
        if (width >= 640 && width <= 7680 && height >= 480 && height <= 4800)
            wanted = {width, height};
    }
    for (size_t i = 0; i < listed.size(); ++i) {
        if (listed[i].Text() == wanted.Text())
            return static_cast<int>(i);
    }
    return 0;
}

DialogChoices ChoicesAtStart(const IniModel& userFile, const ProfileFiles& profiles) {
    DialogChoices choices;
    const int stored = ReadNumber(userFile, "Engine", "PerformancePlatform");
    choices.level = stored >= 0 && stored <= 3 ? stored : 2;
    choices.custom = IniValue(userFile, "Engine", "CustomRenderingSettings") == "1";
    choices.rows =
        choices.custom ? StoredSelection(userFile) : PresetSelection(profiles, choices.level);
    choices.resolution = ExpectedResolutionIndex(ListedDisplayModes(), userFile);
    choices.fullscreen = IniValue(userFile, "Rendering", "Fullscreen") == "1" ? 1 : 0;
    const std::string layout = IniValue(userFile, "Input", "KeyboardLayout");
    choices.keyboard = layout == "AZERTY" ? 1 : layout == "QWERTZ" ? 2 : 0;
    return choices;
}

IniModel ExpectedUserFile(IniModel before, const DialogChoices& choices,
                          const ProfileFiles& profiles) {
    ExpectRenderingSave(before, profiles, choices.level, choices.custom, choices.rows);
    const DisplayMode mode = ListedDisplayModes().at(choices.resolution);
    SetIniValue(before, "Viewport", "Width", std::to_string(mode.width));
    SetIniValue(before, "Viewport", "Height", std::to_string(mode.height));
    SetIniValue(before, "Rendering", "Fullscreen", std::to_string(choices.fullscreen));
    SetIniValue(before, "Input", "KeyboardLayout", kKeyboardLayouts[choices.keyboard]);
    return before;
}
