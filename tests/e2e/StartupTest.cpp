// Start-up: where the program finds the installation and the languages (both hives, both
// registry views, values of odd types and sizes around its 4096-byte read buffer, the data
// files), and how it ends when it cannot.

#include "Fixture.h"

namespace {

constexpr int kShows = 0; // the window shows; OK saves and ends normally

// A value of odd type or size as the import must have left it.
struct Imported {
    Hive hive;
    const wchar_t* name;
    DWORD type;
    size_t bytes;
};

// Each case is the registry file of its name in tests/e2e/registry, imported over the
// fixture's machine key.
struct StartCase {
    const char* name;
    int status;                         // kShows or the exit status
    std::wstring text = {}, voice = {}; // shown: the "Language" and "Speech" OK saves
    const char* caption = nullptr;      // shown: the window's caption
    std::optional<Imported> imported = {};
    const char* golden = "ok-at-start-User.ini"; // shown: User.ini after OK
};

const char kEnglish[] = "Kestrand 2 Setup";
const char kFrench[] = "Kestrand 2 R\xC3\xA9glages";
const std::wstring kL(2048, L'L');

const StartCase kStartCases[] = {
    // A start-up failure ends the program before the window shows, three of them after the
    // message that the game must be reinstalled.
    {"NoMachineKey", 102},
    {"NoLanguage", 103},
    {"NoInstallFolder", 105},
    {"InstallFolderOnlyInThePlayersKey", 105},
    {"EmptyInstallFolder", 106},
    {"EmptyLanguageInThePlayersKey", 107},
    {"EmptySpeechInThePlayersKey", 108},
    // The player's values win; a missing "Speech" is the text language; OK stores both in the
    // player's key, also when they came from the machine's.
    {"MachineKeyOnly", kShows, L"EN", L"DE", kEnglish},
    {"PlayersValuesWin", kShows, L"FR", L"EN", kFrench},
    // A value that fits the buffer is the language (unknown, so the captions are keys); one
    // unit more counts as missing.
    {"LanguageOf4096BytesUnterminated", kShows, kL, kL, "Configurator"},
    {"LanguageOf4098Bytes", kShows, L"EN", L"EN", kEnglish,
     Imported{Hive::Player, L"Language", REG_SZ, 4098}},
    {"MachineKeyOnlyIn64BitView", kShows, L"FR", L"FR", kFrench},
    {"The32BitViewFirst", kShows, L"FR", L"FR", kFrench},
    // The language files and profiles are found through the doubled separator.
    {"InstallFolderWithTrailingBackslash", kShows, L"FR", L"FR", kFrench},
    // Any type is taken as text, up to its first null unit.
    {"InstallFolderAsBinaryOfOddLength", kShows, L"EN", L"EN", kEnglish,
     Imported{Hive::Machine32, L"InstallFolder", REG_BINARY, 47}},
    {"LanguageAsDword", kShows, L"FR", L"FR", kFrench},
    {"SurrogatePairLanguage", kShows, L"\U0001F600", L"\U0001F600", "Configurator"},
    // An installation that is not there: no languages, no texts (the keys show), no profiles.
    {"InstallFolderMissing", kShows, L"EN", L"EN", "Configurator", {}, "no-install-User.ini"},
    {"InstallFolderIsAFile", kShows, L"EN", L"EN", "Configurator", {}, "no-install-User.ini"},
    {"InstallFolderTooLong", kShows, L"EN", L"EN", "Configurator", {}, "no-install-User.ini"},
};

class StartTest : public ConfiguratorTest, public ::testing::WithParamInterface<StartCase> {};

} // namespace

TEST_P(StartTest, EndsOrShowsAndSaves) {
    const StartCase& c = GetParam();
    const auto keys = [] {
        return std::vector{GameKeyValues(Hive::Player), GameKeyValues(Hive::Machine32),
                           GameKeyValues(Hive::Machine64)};
    };
    const auto before = keys();
    ASSERT_TRUE(ImportRegistryFile(TestFile("registry/" + std::string(c.name) + ".reg")));
    ASSERT_NE(keys(), before) << "the import changed nothing";
    if (c.imported) {
        auto values = GameKeyValues(c.imported->hive).value_or(RegistryValues{});
        EXPECT_EQ(values[c.imported->name].type, c.imported->type);
        EXPECT_EQ(values[c.imported->name].bytes.size(), c.imported->bytes);
    }
    const StartupOutcome outcome = Start();
    if (c.status != kShows) {
        ASSERT_FALSE(outcome.dialog) << outcome.Describe();
        EXPECT_EQ(outcome.exitStatus, static_cast<DWORD>(c.status)) << outcome.Describe();
        const bool reported = c.status == 102 || c.status == 103 || c.status == 105;
        ASSERT_EQ(outcome.boxes.size(), reported ? 1u : 0u) << outcome.Describe();
        if (reported) {
            EXPECT_EQ(Utf8(outcome.boxes[0].caption), "Configurator");
            EXPECT_EQ(Utf8(outcome.boxes[0].text), "Could not find valid The Kestrand 2 "
                                                   "installation, please reinstall the game.");
        }
        EXPECT_TRUE(SnapshotFolder(P().Config()).empty());
        return;
    }
    ASSERT_TRUE(outcome.dialog && outcome.boxes.empty()) << outcome.Describe();
    const Window window(outcome.dialog);
    EXPECT_EQ(Utf8(window.Caption()), c.caption);
    EXPECT_FALSE(FileExists(P().UserIni())) << "written before OK";
    ASSERT_TRUE(PressAndWaitForExit(window, IDOK));
    auto player = GameKeyValues(Hive::Player).value_or(RegistryValues{});
    EXPECT_EQ(player[L"Language"], StringValue(c.text));
    EXPECT_EQ(player[L"Speech"], StringValue(c.voice));
    ExpectUserIniGolden(c.golden);
}

INSTANTIATE_TEST_SUITE_P(Registry, StartTest, ::testing::ValuesIn(kStartCases), CaseName);

// The lists hold the first two letters of each data file's name, ASCII letters upper-cased,
// in the system's order and with duplicates, and select the last entry equal to the language;
// without voice data files the voice list is empty and OK keeps the stored "Speech".
TEST_F(ConfiguratorTest, LanguageListsFromTheDataFiles) {
    ASSERT_TRUE(SetLanguageFiles({L"en0", L"EN1", L"fr", L"\u00E4\u00F6x"}, {}));
    ASSERT_TRUE(SetGameString(Hive::Machine32, L"Speech", L"DE"));
    auto window = Launch();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Entries(IDC_TEXT_COMBO),
              (std::vector<std::wstring>{L"EN", L"EN", L"FR", L"\u00E4\u00F6"}));
    EXPECT_EQ(window->Selection(IDC_TEXT_COMBO), 1);
    EXPECT_EQ(window->Count(IDC_VOICE_COMBO), 0);
    ASSERT_TRUE(PressAndWaitForExit(*window, IDOK));
    EXPECT_EQ((*GameKeyValues(Hive::Player))[L"Speech"], StringValue(L"DE"));
}
