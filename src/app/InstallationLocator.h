#pragma once
// Finds the player's folder and registry key and the game's installation at start-up. There
// is no way on without them: every failure ends the process with its exit status, some after
// telling the player to reinstall the game.

#include "ui/main/LocatedInstallation.h"

// The game's key under HKEY_CURRENT_USER (read and written) and HKEY_LOCAL_MACHINE (read).
inline constexpr wchar_t kGameRegistryKey[] = L"Software\\Morvenhall\\The Kestrand 2";

// Returns only on success; otherwise shows the reinstall message (owned by owner) where the
// status calls for it and ends the process with exit(status). The main window's
// LocateInstallation.
LocatedInstallation LocateInstallationOrExit(HWND owner);
