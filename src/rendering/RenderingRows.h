#pragma once
// The configuration side of the rendering rows: which entry each row's combo selects, and
// what is written for the preset and the rows on OK. The dialog owns the controls and only
// hands selections in and out.

#include "RenderingSettingsTable.h"

#include <array>

// One combo selection per table row, in table order; -1 stands for no selection or no combo.
using RowSelections = std::array<int, kRenderingRowCount>;

struct PresetState {
    int level = 0;       // 0 LOW to 3 ULTRA
    bool custom = false; // "CustomRenderingSettings" is exactly "1"
};

// "PerformancePlatform" and "CustomRenderingSettings" of "User"/"Engine" in UserStore.
PresetState ReadPresetState();

// Each row's index for the value in "User"/"Rendering" of UserStore; 0 where the value is
// missing or not one of the row's tokens.
RowSelections RowSelectionsFromUserFile();

// Each row's index for the value of the level's profile (LevelProfileName) in ProfileStore,
// section "Rendering"; 0 where the value is missing or unknown.
RowSelections RowSelectionsForPreset(int presetLevel);

// Writes "Engine": "PerformancePlatform" (PerformancePlatformText) and
// "CustomRenderingSettings" ("1"/"0"), then for each row in table order the token at its
// selection into "Rendering". A row whose selection is not one of its entries is skipped.
void SaveRenderingRows(int presetLevel, bool custom, const RowSelections& selections);
