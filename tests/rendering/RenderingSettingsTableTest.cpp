#include "config/Text.h"
#include "rendering/PresetLevel.h"
#include "rendering/RenderingSettingsTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(LoadRowLists, SplitsTokensAndFindsTheValueAsText) {
    using Tokens = std::vector<std::u16string>;
    const struct {
        size_t row;
        const char16_t* current;
        int expectedIndex;
    } cases[] = {
        {0, u"2", 2},       {1, u"600", 4},
        {1, u"", 0},  // a missing key shows the first entry
        {4, u"1", 0}, // text only: "1" is not "1.0"
        {4, u"1.0", 3},     {4, u" 1.0", 0},
        {17, u"2", 1}, // UberSampling on
        {17, u"1", 0},      {19, u"0.5", 1},
        {5, u"1;", 0},      // a whole stored text, never a part of it
        {7, u"Enabled", 0}, // labels are not values
        {20, u"0", 0},      // past the table: nothing found
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadRowLists(c.row, c.current).index, c.expectedIndex)
            << "row " << c.row << " value '" << Utf16ToUtf8(c.current) << "'";

    const RowLists decals = LoadRowLists(19, u"");
    EXPECT_EQ(decals.values, (Tokens{u"0.0", u"0.5", u"1.0"}));
    EXPECT_EQ(decals.labelKeys, (Tokens{u"Disabled", u"MEDIUM", u"HIGH"}));
    EXPECT_TRUE(LoadRowLists(20, u"").values.empty());
}

// Levels within 0 to 3 are read and written through the profiles and the rows.
TEST(PresetLevel, OutsideZeroToThree) {
    for (const int level : {4, -1}) {
        EXPECT_EQ(LevelProfileName(level), u"PCMedium") << level;
        EXPECT_EQ(LevelTextKey(level), u"") << level;
        EXPECT_EQ(PerformancePlatformText(level), u"2") << level;
    }
}

TEST(ParsePresetLevel, ReadsTheStoredNumber) {
    const struct {
        const char16_t* stored;
        int expected;
    } cases[] = {
        {u"0", 0}, {u"3", 3},   {u" 3", 3}, {u"1x", 1},          {u"-1", 2},
        {u"4", 2}, {u"abc", 0}, {u"", 0},   {u"99999999999", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsePresetLevel(c.stored), c.expected) << Utf16ToUtf8(c.stored);
}
