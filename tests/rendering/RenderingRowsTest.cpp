#include "StoreFixture.h"
#include "rendering/RenderingRows.h"

#include <string>

namespace {

// The value of row i in a file section text, so a profile or user file lists all twenty.
std::string RenderingSection(const char* const values[kRenderingRowCount]) {
    std::string text = "[Rendering]\r\n";
    for (size_t i = 0; i < kRenderingRowCount; ++i)
        text += Utf16ToUtf8(RenderingSettingsTable[i].key) + "=" + values[i] + "\r\n";
    return text;
}

const char* const kHighValues[kRenderingRowCount] = {"0", "400", "2", "2", "1.0", "1",  "1",
                                                     "1", "1",   "1", "1", "1",   "1",  "0",
                                                     "1", "1",   "0", "2", "0",   "1.0"};
const RowSelections kHighSelections = {0, 3, 2, 2, 3, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 0, 1, 0, 2};

} // namespace

using RenderingRowsTest = StoreFixture;

// Each row's value from its own key, matched as text (LoadRowLists); rows missing from a
// file, or a missing file, show their first entry.
TEST_F(RenderingRowsTest, SelectionsComeFromTheUserFileOrTheLevelsProfile) {
    WriteIni("profiles", "PCHigh", RenderingSection(kHighValues));
    WriteIni("user", "User", "[Rendering]\r\nTextureMemoryBudget=600\r\nVSync=1\r\n");
    OpenStores();
    EXPECT_EQ(RowSelectionsForPreset(2), kHighSelections);
    EXPECT_EQ(RowSelectionsForPreset(3), RowSelections{});
    RowSelections user{};
    user[1] = 4;
    user[18] = 1;
    EXPECT_EQ(RowSelectionsFromUserFile(), user);
}

TEST_F(RenderingRowsTest, SaveWritesTokensAndPresetState) {
    OpenStores();
    RowSelections selections = kHighSelections;
    selections[3] = -1; // no selection: the row is left alone
    selections[5] = 2;  // beyond AllowBloom's two entries: left alone too
    SaveRenderingRows(2, true, selections);

    EXPECT_EQ(UserValue(u"Engine", u"PerformancePlatform"), "2");
    EXPECT_EQ(UserValue(u"Engine", u"CustomRenderingSettings"), "1");
    EXPECT_EQ(UserValue(u"Rendering", u"UberSampling"), "2"); // the game's "on"
    EXPECT_EQ(UserValue(u"Rendering", u"AllowDecals"), "1.0");
    EXPECT_EQ(UserValue(u"Rendering", u"ShadowedLights"), "<absent>");
    EXPECT_EQ(UserValue(u"Rendering", u"AllowBloom"), "<absent>");
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        if (i == 3 || i == 5)
            continue;
        const std::u16string key(RenderingSettingsTable[i].key);
        EXPECT_EQ(UserValue(u"Rendering", key.c_str()), kHighValues[i]) << "row " << i;
    }
}

TEST_F(RenderingRowsTest, MediumDecalsAndUnknownTextsSaveTheirTokens) {
    WriteIni("user", "User", "[Rendering]\r\nMeshDistanceScale=1\r\n");
    OpenStores();
    RowSelections selections = RowSelectionsFromUserFile();
    EXPECT_EQ(selections[4], 0); // "1" is not "1.0"
    selections[19] = 1;
    SaveRenderingRows(0, false, selections);
    EXPECT_EQ(UserValue(u"Engine", u"PerformancePlatform"), "0");
    EXPECT_EQ(UserValue(u"Engine", u"CustomRenderingSettings"), "0");
    EXPECT_EQ(UserValue(u"Rendering", u"MeshDistanceScale"), "0.5");
    EXPECT_EQ(UserValue(u"Rendering", u"AllowDecals"), "0.5");
    EXPECT_EQ(RowSelectionsFromUserFile(), selections);
}

TEST_F(RenderingRowsTest, PresetStateFromTheEngineSection) {
    const struct {
        const char* text;
        int level;
        bool custom;
    } cases[] = {
        {"", 0, false},
        {"[Engine]\r\nPerformancePlatform=7\r\n", 2, false},
        {"[Engine]\r\nPerformancePlatform=3\r\nCustomRenderingSettings=1\r\n", 3, true},
        {"[Engine]\r\nPerformancePlatform=1\r\nCustomRenderingSettings=true\r\n", 1, false},
        {"[Engine]\r\nCustomRenderingSettings=10\r\n", 0, false},
    };
    for (const auto& c : cases) {
        WriteIni("user", "User", c.text);
        OpenStores();
        const PresetState state = ReadPresetState();
        EXPECT_EQ(state.level, c.level) << c.text;
        EXPECT_EQ(state.custom, c.custom) << c.text;
        ReleaseConfigStores();
    }
}

TEST_F(RenderingRowsTest, WithoutStoresRowsShowFirstEntriesAndNothingIsSaved) {
    EXPECT_EQ(RowSelectionsFromUserFile(), RowSelections{});
    EXPECT_EQ(RowSelectionsForPreset(2), RowSelections{});
    SaveRenderingRows(2, true, kHighSelections);
    EXPECT_EQ(ReadPresetState().level, 0);
}
