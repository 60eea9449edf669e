#pragma once
// What the rendering panel must show and save: the twenty rows as the game defines them,
// and the Engine, row and derived keys that OK writes into the user file.

#include "ExpectedIni.h"
#include "GameData.h"

#include <array>
#include <string>
#include <vector>

struct ExpectedRow {
    const char* key;
    std::vector<std::string> values;    // the tokens stored in the files
    std::vector<std::string> labelKeys; // the text key of each token's entry
};

inline constexpr int kRowCount = 20;
const std::array<ExpectedRow, kRowCount>& RenderingRows();

using RowSelection = std::array<int, kRowCount>;

// The selections that the preset of level gives every row.
RowSelection PresetSelection(const ProfileFiles& profiles, int level);

// The selections a user file's "Rendering" section gives (custom mode at start).
RowSelection StoredSelection(const IniModel& userFile);

// Applies to userFile (its contents before OK) everything the rendering panel writes on OK:
// Engine "PerformancePlatform" and "CustomRenderingSettings", the twenty row tokens, and the
// derived keys with their copies from the profiles.
void ExpectRenderingSave(IniModel& userFile, const ProfileFiles& profiles, int level, bool custom,
                         const RowSelection& rows);
