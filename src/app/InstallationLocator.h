#pragma once
// Finds the player's folder and registry key and the game's installation at start-up. There
// is no way on without them: every failure ends the process with its exit status, some after
// telling the player to reinstall the game.

#include "system/ScopedHandles.h"

#include <string>

// The game's key under HKEY_CURRENT_USER (read and written) and HKEY_LOCAL_MACHINE (read).
inline constexpr wchar_t kGameRegistryKey[] = L"Software\\Morvenhall\\The Kestrand 2";

struct LocatedInstallation {
    CRegistryKey userKey; // open with query, set and create-sub-key access
    std::u16string userConfigDir;
    std::u16string textLanguage;
    std::u16string voiceLanguage;
    std::u16string installFolder;
};

// Returns only on success; otherwise shows the reinstall message (owned by owner) where the
// status calls for it and ends the process with exit(status).
LocatedInstallation LocateInstallationOrExit(HWND owner);
