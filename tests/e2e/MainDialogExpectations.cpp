#include "MainDialogExpectations.h"

#include "config/Text.h"

#include <windows.h>

#include <algorithm>

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

DisplayMode DesktopMode() {
    DEVMODEW devMode{};
    devMode.dmSize = sizeof devMode;
    EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &devMode);
    return {static_cast<int>(devMode.dmPelsWidth), static_cast<int>(devMode.dmPelsHeight)};
}

int ExpectedResolutionIndex(const std::vector<DisplayMode>& listed, const IniModel& userFile) {
    DisplayMode wanted = DesktopMode();
    const auto viewport = userFile.find("Viewport");
    if (viewport != userFile.end() && viewport->second.contains("Width") &&
        viewport->second.contains("Height")) {
        const int width = ParseDecimalInt(Utf8ToUtf16(IniValue(userFile, "Viewport", "Width")));
        const int height = ParseDecimalInt(Utf8ToUtf16(IniValue(userFile, "Viewport", "Height")));
        if (width >= 640 && width <= 7680 && height >= 480 && height <= 4800)
            wanted = {width, height};
    }
    for (size_t i = 0; i < listed.size(); ++i) {
        if (listed[i].Text() == wanted.Text())
            return static_cast<int>(i);
    }
    return 0;
}

void ExpectMainSave(IniModel& userFile, const DisplayMode& mode, int fullscreenIndex,
                    int keyboardIndex) {
    SetIniValue(userFile, "Viewport", "Width", std::to_string(mode.width));
    SetIniValue(userFile, "Viewport", "Height", std::to_string(mode.height));
    SetIniValue(userFile, "Rendering", "Fullscreen", std::to_string(fullscreenIndex));
    SetIniValue(userFile, "Input", "KeyboardLayout", kKeyboardLayouts[keyboardIndex]);
}
