#pragma once
// What the main dialog must list for the display and save for its own choices, worked out
// by the driver from the same system calls the program uses.

#include "ExpectedIni.h"

#include <string>
#include <vector>

struct DisplayMode {
    int width = 0;
    int height = 0;
    std::wstring Text() const; // "1280 x 1024"
};

// One entry per distinct size, in the system's enumeration order.
std::vector<DisplayMode> ListedDisplayModes();

// The desktop's current mode.
DisplayMode DesktopMode();

// The entry that the stored Viewport "Width" and "Height" of userFile select: the stored size
// when both are present and within 640..7680 x 480..4800, else the desktop; entry 0 when no
// listed mode has that size.
int ExpectedResolutionIndex(const std::vector<DisplayMode>& listed, const IniModel& userFile);

inline const char* const kKeyboardLayouts[] = {"QWERTY", "AZERTY", "QWERTZ"};

// Applies what OK writes for the resolution, full screen and keyboard entries chosen.
void ExpectMainSave(IniModel& userFile, const DisplayMode& mode, int fullscreenIndex,
                    int keyboardIndex);
