#include "config/MainSettings.h"
#include "config/Text.h"

#include <gtest/gtest.h>

namespace {

std::string Show(const std::optional<std::u16string>& text) {
    return text ? "\"" + Utf16ToUtf8(*text) + "\"" : "(failed)";
}

} // namespace

TEST(ResolveInstallation, FollowsTheStartUpOrder) {
    using T = std::optional<std::u16string>;
    const T none;
    const struct {
        InstallationReads reads; // machine key, language, speech (player, machine), folder
        StartupExitStatus status;
        const char16_t* text;
        const char16_t* voice;
    } cases[] = {
        // Both keys complete: the player's values win.
        {{true, u"FR", u"EN", u"DE", u"EN", u"C:\\Game"}, kStartupOk, u"FR", u"DE"},
        // A player who never ran the tool: everything from the machine.
        {{true, none, u"EN", none, u"PL", u"C:\\Game"}, kStartupOk, u"EN", u"PL"},
        // No "Speech" anywhere: the text language stands in.
        {{true, u"FR", none, none, none, u"C:\\Game"}, kStartupOk, u"FR", u"FR"},
        {{false, u"FR", u"EN", u"FR", u"EN", u"C:\\Game"}, kNoMachineKey, u"", u""},
        {{true, none, none, u"FR", u"FR", u"C:\\Game"}, kNoLanguage, u"", u""},
        {{true, u"FR", u"EN", none, none, none}, kNoInstallFolder, u"FR", u"FR"},
        // An empty player's value counts as found.
        {{true, u"", u"EN", none, none, u"C:\\Game"}, kEmptyTextLanguage, u"", u""},
        {{true, u"EN", u"EN", u"", u"DE", u"C:\\Game"}, kEmptyVoiceLanguage, u"EN", u""},
        // The empty folder is looked at before the empty languages.
        {{true, u"", u"EN", u"", none, u""}, kEmptyInstallFolder, u"", u""},
    };
    for (const auto& c : cases) {
        const InstallationReads& r = c.reads;
        const Installation found = ResolveInstallation(r);
        const std::string label = "language " + Show(r.userLanguage) + "/" +
                                  Show(r.machineLanguage) + ", speech " + Show(r.userSpeech) + "/" +
                                  Show(r.machineSpeech) + ", folder " + Show(r.installFolder);
        EXPECT_EQ(found.status, c.status) << label;
        if (found.status == kStartupOk || found.status >= kEmptyInstallFolder) {
            EXPECT_EQ(found.textLanguage, c.text) << label;
            EXPECT_EQ(found.voiceLanguage, c.voice) << label;
        }
    }
}

TEST(ResolveInstallation, OnlyTheMissingKeysAndValuesTellThePlayer) {
    for (StartupExitStatus status : {kNoMachineKey, kNoLanguage, kNoInstallFolder})
        EXPECT_TRUE(ShowsReinstallMessage(status)) << status;
    for (StartupExitStatus status : {kStartupOk, kNoDocumentsFolder, kNoUserKey,
                                     kEmptyInstallFolder, kEmptyTextLanguage, kEmptyVoiceLanguage})
        EXPECT_FALSE(ShowsReinstallMessage(status)) << status;
}

TEST(RegistryDataAsText, EndsAtTheFirstNullOrTheData) {
    const struct {
        std::string bytes;
        std::u16string expected;
    } cases[] = {
        {std::string("E\0N\0\0\0", 6), u"EN"},
        {std::string("E\0N\0", 4), u"EN"},    // no terminator stored
        {std::string("E\0N\0X", 5), u"EN"},   // odd length: the last byte is no unit
        {std::string("E\0\0\0N\0", 6), u"E"}, // text ends at the first null
        {std::string("\x2a\0\0\0", 4), u"*"}, // a REG_DWORD of 42 read as text
        {std::string("\xe9\x00\x3b\x04", 4), u"\u00e9\u043b"},
        {std::string(), u""},
        {std::string("A", 1), u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegistryDataAsText(c.bytes), c.expected) << c.bytes.size() << " bytes";
}

TEST(LanguageCodeFromFileName, UpperCasesOnlyTheFirstTwoAsciiLetters) {
    const struct {
        const char16_t* name;
        const char16_t* code;
    } cases[] = {
        {u"en0.qzstrings", u"EN"},          {u"pLx.qzstrings", u"PL"},
        {u"e1.qzstrings", u"E1"},           {u"x", u"X"},
        {u"\u00e9s.qzstrings", u"\u00e9S"}, {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageCodeFromFileName(c.name), c.code) << Utf16ToUtf8(c.name);
}

TEST(FindLanguageEntry, PicksTheLastEqualEntryElseTheFirst) {
    const std::vector<std::u16string> codes = {u"DE", u"EN", u"FR", u"EN"};
    EXPECT_EQ(FindLanguageEntry(codes, u"EN"), 3);
    EXPECT_EQ(FindLanguageEntry(codes, u"DE"), 0);
    EXPECT_EQ(FindLanguageEntry(codes, u"FR"), 2);
    EXPECT_EQ(FindLanguageEntry(codes, u"fr"), 0); // exact comparison
    EXPECT_EQ(FindLanguageEntry({}, u"EN"), 0);
}

TEST(WantedResolution, AcceptsOnlyStoredSizesWithinTheRanges) {
    using T = std::optional<std::u16string>;
    const T none;
    const DisplaySize desktop{1280, 1024};
    const struct {
        T width, height;
        DisplaySize expected;
    } cases[] = {
        {u"1920", u"1080", {1920, 1080}},
        {u"7680", u"4800", {7680, 4800}},
        {u"640", u"480", {640, 480}},
        {u"7681", u"1080", desktop},
        {u"1920", u"4801", desktop},
        {u"639", u"480", desktop},
        {u"640", u"479", desktop},
        {u"1000", u"700", {1000, 700}}, // accepted even if no mode has it
        {u" 800x", u"+600", {800, 600}},
        {u"abc", u"600", desktop},
        {none, u"1080", desktop},
        {u"1920", none, desktop},
        {u"", u"", desktop},
    };
    for (const auto& c : cases) {
        const DisplaySize wanted = WantedResolution(desktop, c.width, c.height);
        EXPECT_EQ(wanted, c.expected) << Show(c.width) << " x " << Show(c.height);
    }
}

TEST(ChooseResolution, KeepsTheFirstModeOfEachSizeAndSelectsTheWantedOne) {
    const std::vector<DisplaySize> modes = {{1024, 768},  {800, 600}, {1024, 768},
                                            {1920, 1080}, {800, 600}, {1280, 1024}};
    const ResolutionList list = ChooseResolution(modes, {1920, 1080});
    const std::vector<std::u16string> entries = {u"1024 x 768", u"800 x 600", u"1920 x 1080",
                                                 u"1280 x 1024"};
    EXPECT_EQ(list.entries, entries);
    EXPECT_EQ(list.modeIndices, (std::vector<size_t>{0, 1, 3, 5}));
    EXPECT_EQ(list.selected, 2);
    // The first entry when the wanted size is not listed, or when it is the first.
    for (const DisplaySize wanted :
         {DisplaySize{1000, 700}, {768, 1024}, {1920, 1200}, {1024, 768}})
        EXPECT_EQ(ChooseResolution(modes, wanted).selected, 0)
            << wanted.width << " x " << wanted.height;
    EXPECT_TRUE(ChooseResolution({}, {800, 600}).entries.empty());
}

TEST(StoredChoices, AreComparedExactly) {
    const struct {
        const char16_t* stored;
        int fullscreen;
        int keyboard;
    } cases[] = {
        {u"1", 1, 0},      {u"true", 0, 0},    {u"01", 0, 0},     {u" 1", 0, 0},
        {u"", 0, 0},       {u"AZERTY", 0, 1},  {u"azerty", 0, 0}, {u"QWERTZ", 0, 2},
        {u"QWERTY", 0, 0}, {u"AZERTY ", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FullscreenIndex(c.stored), c.fullscreen) << Utf16ToUtf8(c.stored);
        EXPECT_EQ(KeyboardLayoutIndex(c.stored), c.keyboard) << Utf16ToUtf8(c.stored);
    }
    // Each keyboard entry's stored text reads back as that entry; its bindings section is the
    // one the input editor edits, and no entry selected edits none.
    for (const int index : {0, 1, 2}) {
        EXPECT_EQ(KeyboardLayoutIndex(KeyboardLayoutText(index)), index);
        EXPECT_EQ(InputLayoutName(index), u"Input" + KeyboardLayoutText(index));
    }
    EXPECT_EQ(KeyboardLayoutText(-1), u"QWERTY");
    EXPECT_EQ(InputLayoutName(-1), u"");
}
