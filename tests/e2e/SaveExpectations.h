#pragma once
// What the main dialog lists for the display and starts with for a user file, worked out by
// the rules the program follows and the system calls it uses, and the user file that OK must
// write for a set of choices.

#include "ExpectedIni.h"
#include "GameData.h"
#include "RenderingExpectations.h"

#include <string>
#include <vector>

struct DisplayMode {
    int width = 0;
    int height = 0;
    std::wstring Text() const; // "1280 x 1024"
};

// One entry per distinct size, in the system's enumeration order.
std::vector<DisplayMode> ListedDisplayModes();

// The entry that the stored Viewport "Width" and "Height" of userFile select: the stored size
// when both are present and within 640..7680 x 480..4800, else the desktop; entry 0 when no
// listed mode has that size.
int ExpectedResolutionIndex(const std::vector<DisplayMode>& listed, const IniModel& userFile);

struct DialogChoices {
    int level = 0;       // preset level 0 LOW to 3 ULTRA
    bool custom = false; // the preset list carries CUSTOM
    RowSelection rows{};
    int resolution = 0; // entry of the resolution list
    int fullscreen = 0;
    int keyboard = 0;
};

// What the dialog shows right after start for this user file.
DialogChoices ChoicesAtStart(const IniModel& userFile, const ProfileFiles& profiles);

// The user file after OK with these choices, from its contents before.
IniModel ExpectedUserFile(IniModel before, const DialogChoices& choices,
                          const ProfileFiles& profiles);
