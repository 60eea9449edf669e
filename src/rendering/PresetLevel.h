#pragma once
// Graphics preset levels and the profile files behind them.

#include <string>

enum PresetLevel : int { kPresetLow = 0, kPresetMedium = 1, kPresetHigh = 2, kPresetUltra = 3 };
inline constexpr int kPresetCustomIndex = 4; // the preset combo's CUSTOM entry

// "PCLow", "PCMedium", "PCHigh", "PCUber"; "PCMedium" for any other level.
std::u16string LevelProfileName(int level);

// Text key of the level's preset combo entry: "LOW", "MEDIUM", "HIGH", "ULTRA".
std::u16string LevelTextKey(int level);

// The stored "PerformancePlatform" text of a level: the digit, "2" outside 0 to 3.
std::u16string PerformancePlatformText(int level);

// The level from a stored "PerformancePlatform" text, read as a decimal integer; a number
// outside 0 to 3 gives 2 (HIGH), no digits give 0 (LOW).
int ParsePresetLevel(const std::u16string& stored);
