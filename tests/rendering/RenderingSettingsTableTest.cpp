#include "config/Text.h"
#include "rendering/PresetLevel.h"
#include "rendering/RenderingSettingsTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(RenderingSettingsTable, HoldsTheTwentyKeysInOrder) {
    const char16_t* keys[] = {
        u"TextureDownscale",
        u"TextureMemoryBudget",
        u"ShadowQuality",
        u"ShadowedLights",
        u"MeshDistanceScale",
        u"AllowBloom",
        u"AllowShafts",
        u"AllowAntialias",
        u"AllowBlur",
        u"AllowDOF",
        u"AllowVignette",
        u"AllowRain",
        u"AllowSSAO",
        u"AllowMotionBlur",
        u"AllowScatterDOF",
        u"AllowCutsceneDOF",
        u"DanglesLimiter",
        u"UberSampling",
        u"VSync",
        u"AllowDecals",
    };
    static_assert(std::size(keys) == kRenderingRowCount);
    for (size_t i = 0; i < kRenderingRowCount; ++i)
        EXPECT_EQ(RenderingSettingsTable[i].key, keys[i]) << "row " << i;
}

TEST(LoadRowLists, SplitsTokensAndFindsTheValueAsText) {
    using Tokens = std::vector<std::u16string>;
    const struct {
        size_t row;
        const char16_t* current;
        int expectedIndex;
    } cases[] = {
        {0, u"2", 2},       {1, u"600", 4},  {1, u"", 0}, // a missing key shows the first entry
        {4, u"1", 0},                                     // text only: "1" is not "1.0"
        {4, u"1.0", 3},     {4, u"1.00", 0}, {4, u" 1.0", 0},
        {17, u"2", 1}, // UberSampling on
        {17, u"1", 0},      {19, u"0.5", 1}, {19, u"0", 0},
        {5, u"1;", 0},      // a whole stored text, never a part of it
        {7, u"Enabled", 0}, // labels are not values
        {20, u"0", 0},      // past the table: nothing found
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadRowLists(c.row, c.current).index, c.expectedIndex)
            << "row " << c.row << " value '" << Utf16ToUtf8(c.current) << "'";

    const RowLists uber = LoadRowLists(17, u"");
    EXPECT_EQ(uber.values, (Tokens{u"0", u"2"}));
    EXPECT_EQ(uber.labelKeys, (Tokens{u"Disabled", u"Enabled"}));
    const RowLists distance = LoadRowLists(4, u"");
    EXPECT_EQ(distance.labelKeys.back(), u"FarDisance");
    const RowLists decals = LoadRowLists(19, u"");
    EXPECT_EQ(decals.values, (Tokens{u"0.0", u"0.5", u"1.0"}));
    EXPECT_EQ(decals.labelKeys, (Tokens{u"Disabled", u"MEDIUM", u"HIGH"}));
    EXPECT_TRUE(LoadRowLists(20, u"").values.empty());
}

TEST(LoadRowLists, EveryRowHasOneLabelPerValue) {
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        const RowLists lists = LoadRowLists(i, u"");
        EXPECT_GE(lists.values.size(), 2u) << "row " << i;
        EXPECT_EQ(lists.values.size(), lists.labelKeys.size()) << "row " << i;
    }
}

TEST(PresetLevel, NamesProfilesTextsAndStoredDigits) {
    const struct {
        int level;
        const char16_t* profile;
        const char16_t* textKey;
        const char16_t* stored;
    } cases[] = {
        {0, u"PCLow", u"LOW", u"0"},   {1, u"PCMedium", u"MEDIUM", u"1"},
        {2, u"PCHigh", u"HIGH", u"2"}, {3, u"PCUber", u"ULTRA", u"3"},
        {4, u"PCMedium", u"", u"2"},   {-1, u"PCMedium", u"", u"2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LevelProfileName(c.level), c.profile) << "level " << c.level;
        EXPECT_EQ(LevelTextKey(c.level), c.textKey) << "level " << c.level;
        EXPECT_EQ(PerformancePlatformText(c.level), c.stored) << "level " << c.level;
    }
}

TEST(ParsePresetLevel, ReadsTheStoredNumber) {
    const struct {
        const char16_t* stored;
        int expected;
    } cases[] = {
        {u"0", 0}, {u"1", 1},  {u"2", 2}, {u"3", 3},   {u" 3", 3}, {u"1x", 1},
        {u"7", 2}, {u"-1", 2}, {u"4", 2}, {u"abc", 0}, {u"", 0},   {u"99999999999", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsePresetLevel(c.stored), c.expected) << Utf16ToUtf8(c.stored);
}
