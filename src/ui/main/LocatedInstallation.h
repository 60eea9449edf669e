#pragma once
// What the main window starts from: the player's registry key, where the player's and the
// game's files are, and the languages it opens in. The application finds them
// (app/InstallationLocator) and hands the main window the finding as a function, which the
// window calls as it initialises: the start-up's message boxes then have the window as their
// owner, and this floor needs nothing of the floor above.

#include "system/ScopedHandles.h"

#include <string>

struct LocatedInstallation {
    CRegistryKey userKey; // open with query, set and create-sub-key access
    // The folders of UserStore, ProfileStore and LangStore, each ending in a separator.
    std::u16string userConfigDir;
    std::u16string profilesDir;
    std::u16string languageDir;
    // The language data files, whose names begin with the languages' codes.
    std::u16string textLanguagePattern;
    std::u16string voiceLanguagePattern;
    std::u16string textLanguage;
    std::u16string voiceLanguage;
};

// Returns only when everything was found; otherwise the process ends inside it.
using LocateInstallation = LocatedInstallation (*)(HWND owner);
