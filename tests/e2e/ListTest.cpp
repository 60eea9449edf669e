// The lists of the main dialog: their entries and the entry that the stored values select.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "MainDialogExpectations.h"
#include "Registry.h"
#include "WideText.h"

#include <vector>

// Language codes are the upper-cased first two letters of the data files' names, duplicates
// kept; the last entry equal to the stored code is selected.
TEST_F(ConfiguratorTest, TwoDataFilesOfOneLanguageGiveTwoEntries) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"en1"}, {L"en_speech"}));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboEntries(ids::kTextLanguageList),
              (std::vector<std::wstring>{L"EN", L"EN"}));
    EXPECT_EQ(dialog->ComboSelection(ids::kTextLanguageList), 1);
    EXPECT_EQ(dialog->ComboEntries(ids::kVoiceLanguageList), (std::vector<std::wstring>{L"EN"}));
    EXPECT_EQ(dialog->ComboSelection(ids::kVoiceLanguageList), 0);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}

// A stored code that no entry equals (here in lower case) shows entry 0, and the stored code
// is what OK saves as long as the player picks nothing.
TEST_F(ConfiguratorTest, UnlistedStoredLanguageShowsFirstEntryAndIsKept) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN", L"FR"}));
    ASSERT_TRUE(SetGameString(kMachineKey32, L"Language", L"fr"));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboSelection(ids::kTextLanguageList), 0);
    EXPECT_EQ(dialog->ComboSelection(ids::kVoiceLanguageList), 0);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(L"fr"));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(L"fr"));
}

// Without voice data files the voice list is empty, and OK saves the "Speech" read at start.
TEST_F(ConfiguratorTest, NoVoiceDataFilesLeaveTheVoiceListEmpty) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN"}, {}));
    ASSERT_TRUE(SetGameString(kMachineKey32, L"Speech", L"DE"));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboCount(ids::kVoiceLanguageList), 0);
    EXPECT_EQ(dialog->ComboSelection(ids::kVoiceLanguageList), -1);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(L"DE"));
}

namespace {

struct StoredSelectionCase {
    const char* userIni; // the whole file after the UTF-8 mark
    int expected;
};

// Starts the program once per case with that User.ini and checks the entry of list id.
class StoredSelectionTest : public ConfiguratorTest {
protected:
    void ExpectSelections(int listId, const std::vector<StoredSelectionCase>& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.userIni);
            WriteUserIni(std::string("\xEF\xBB\xBF") + c.userIni);
            auto dialog = Launch();
            ASSERT_TRUE(dialog);
            EXPECT_EQ(dialog->ComboSelection(listId), c.expected);
            ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
        }
    }
};

} // namespace

// Only the exact text "1" turns full screen on.
TEST_F(StoredSelectionTest, FullscreenNeedsExactlyOne) {
    ExpectSelections(ids::kFullscreenList, {
                                               {"[Rendering]\r\nFullscreen=1\r\n", 1},
                                               {"[Rendering]\r\nFullscreen=true\r\n", 0},
                                               {"[Rendering]\r\nFullscreen=01\r\n", 0},
                                               {"[Rendering]\r\nFullscreen=1 \r\n", 0},
                                           });
}

// The keyboard layout is compared exactly: a lower-case name selects the QWERTY entry.
TEST_F(StoredSelectionTest, KeyboardLayoutNeedsTheExactName) {
    ExpectSelections(ids::kKeyboardList, {
                                             {"[Input]\r\nKeyboardLayout=AZERTY\r\n", 1},
                                             {"[Input]\r\nKeyboardLayout=QWERTZ\r\n", 2},
                                             {"[Input]\r\nKeyboardLayout=azerty\r\n", 0},
                                         });
}

// The resolution list holds every distinct display size once, in the system's order, and
// selects the stored size when it is in range and listed, the desktop's when it is out of
// range or missing, and entry 0 otherwise.
TEST_F(ConfiguratorTest, ResolutionListAndStoredSize) {
    const std::vector<DisplayMode> listed = ListedDisplayModes();
    ASSERT_FALSE(listed.empty());
    std::vector<std::wstring> texts;
    for (const auto& mode : listed)
        texts.push_back(mode.Text());
    const DisplayMode desktop = DesktopMode();
    const std::vector<IniModel> cases = {
        {{"Viewport", {{"Width", {"7681"}}, {"Height", {"4801"}}}}},
        {{"Viewport", {{"Width", {"639"}}, {"Height", {"479"}}}}},
        {{"Viewport", {{"Width", {"7680"}}, {"Height", {"4800"}}}}},
        {{"Viewport", {{"Width", {std::to_string(desktop.width)}}}}},
        {{"Viewport",
          {{"Width", {std::to_string(listed.back().width)}},
           {"Height", {std::to_string(listed.back().height)}}}}},
    };
    for (const IniModel& userFile : cases) {
        const std::string bytes = FormatIniBytes(userFile);
        SCOPED_TRACE(bytes);
        WriteUserIni(bytes);
        auto dialog = Launch();
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->ComboEntries(ids::kResolutionList), texts);
        EXPECT_EQ(dialog->ComboSelection(ids::kResolutionList),
                  ExpectedResolutionIndex(listed, userFile));
        ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
    }
}
