#pragma once
// The choices the main dialog starts with, worked out from a user file by the rules the
// program follows, and the user file that OK must write for a set of choices.

#include "ExpectedIni.h"
#include "GameData.h"
#include "MainDialogExpectations.h"
#include "RenderingExpectations.h"

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
