#pragma once
// The warning of both OK buttons, the main window's and the input editor's, when settings did
// not reach the disk. The window stays open, so the player can try again or cancel.

#include <windows.h>

#include <string>

// Shows, owned by owner, the "SaveError" text of section "Configurator" in language, else an
// English sentence naming the file at path, under the caption "Configurator".
void ShowSaveWarning(HWND owner, const std::u16string& language, const std::u16string& path);
