// Start-up: where the program finds the installation and the languages (both hives, both
// registry views, values of odd types and sizes around its 4096-byte read buffer, the data
// files), and how it ends when it cannot.

#include "Fixture.h"

#include <functional>

namespace {

using Arrange = std::function<void(const Paths&)>;

const std::wstring kOversized(2100, L'E'); // does not fit the 4096-byte buffer

// A value of this type made of the text's UTF-16 units, terminated or not, plus extra bytes.
RegistryValue Data(DWORD type, std::wstring_view text, bool terminated, std::string extra = "") {
    RegistryValue value = StringValue(text);
    value.type = type;
    if (!terminated)
        value.bytes.resize(value.bytes.size() - 2);
    value.bytes += extra;
    return value;
}

Arrange Player(const wchar_t* name, RegistryValue value) {
    return [=](const Paths&) { SetGameValue(Hive::Player, name, value); };
}
Arrange Machine(const wchar_t* name, std::wstring text) {
    return [=](const Paths&) { SetGameString(Hive::Machine32, name, text); };
}
Arrange NoMachine(const wchar_t* name) {
    return [=](const Paths&) { DeleteGameValue(Hive::Machine32, name); };
}
Arrange Both(Arrange first, Arrange second) {
    return [=](const Paths& paths) {
        first(paths);
        second(paths);
    };
}
Arrange InstallFolder(DWORD type, std::wstring suffix, bool terminated, std::string extra = "") {
    return [=](const Paths& paths) {
        SetGameValue(Hive::Machine32, L"InstallFolder",
                     Data(type, paths.install + suffix, terminated, extra));
    };
}

constexpr int kShows = 0;       // the window shows; OK saves and ends normally
constexpr int kShowsOrEnds = 1; // either that or an exit status from 100 to 108

struct StartCase {
    const char* name;
    Arrange arrange;
    int status;                         // kShows, kShowsOrEnds or the exit status
    std::wstring text = {}, voice = {}; // shown: the "Language" and "Speech" OK saves
    const char* caption = nullptr;      // shown: the window's caption
};

const char kEnglish[] = "Kestrand 2 Setup";
const char kFrench[] = "Kestrand 2 R\xC3\xA9glages";

const StartCase kStartCases[] = {
    // A start-up failure ends the program before the window shows, three of them after the
    // message that the game must be reinstalled.
    {"NoMachineKey", [](const Paths&) { DeleteGameKey(Hive::Machine32); }, 102},
    {"NoLanguage", NoMachine(L"Language"), 103},
    {"NoInstallFolder", NoMachine(L"InstallFolder"), 105},
    {"InstallFolderOnlyInThePlayersKey",
     [](const Paths& paths) {
         DeleteGameValue(Hive::Machine32, L"InstallFolder");
         SetGameString(Hive::Player, L"InstallFolder", paths.install);
     },
     105},
    {"EmptyInstallFolder", Machine(L"InstallFolder", L""), 106},
    {"EmptyLanguageInThePlayersKey", Player(L"Language", StringValue(L"")), 107},
    {"EmptySpeechInThePlayersKey",
     Both(Player(L"Speech", StringValue(L"")), Machine(L"Speech", L"EN")), 108},
    // The player's values win; a missing "Speech" is the text language; OK stores both in the
    // player's key, also when they came from the machine's.
    {"MachineKeyOnly",
     Both(Machine(L"Speech", L"DE"), [](const Paths& paths) { RemoveTree(paths.Game()); }), kShows,
     L"EN", L"DE", kEnglish},
    {"PlayersLanguageWins", Player(L"Language", StringValue(L"FR")), kShows, L"FR", L"FR", kFrench},
    {"PlayersSpeechWins",
     Both(Player(L"Speech", StringValue(L"EN")),
          Both(Machine(L"Language", L"FR"), Machine(L"Speech", L"DE"))),
     kShows, L"FR", L"EN", kFrench},
    {"OversizedSpeechCountsAsMissing",
     Both(Player(L"Speech", StringValue(kOversized)), Machine(L"Speech", L"DE")), kShows, L"EN",
     L"DE", kEnglish},
    // A value that fits the buffer is the language (unknown, so the captions are keys); one
    // unit more counts as missing.
    {"LanguageOf4096BytesUnterminated",
     Player(L"Language", Data(REG_SZ, std::wstring(2048, L'L'), false)), kShows,
     std::wstring(2048, L'L'), std::wstring(2048, L'L'), "Configurator"},
    {"LanguageOf4098Bytes", Player(L"Language", StringValue(std::wstring(2048, L'L'))), kShows,
     L"EN", L"EN", kEnglish},
    {"MachineKeyOnlyIn64BitView",
     [](const Paths& paths) {
         DeleteGameKey(Hive::Machine32);
         SetGameString(Hive::Machine64, L"Language", L"FR");
         SetGameString(Hive::Machine64, L"InstallFolder", paths.install);
     },
     kShows, L"FR", L"FR", kFrench},
    {"The32BitViewFirst",
     Both(Machine(L"Language", L"FR"),
          [](const Paths&) {
              SetGameString(Hive::Machine64, L"Language", L"EN");
              SetGameString(Hive::Machine64, L"InstallFolder", L"C:\\nowhere");
          }),
     kShows, L"FR", L"FR", kFrench},
    // The language files and profiles are found through the doubled separator.
    {"InstallFolderWithTrailingBackslash",
     Both(InstallFolder(REG_SZ, L"\\", true), Machine(L"Language", L"FR")), kShows, L"FR", L"FR",
     kFrench},
    // No entry equals "fr", but the file system finds FR.ini for it.
    {"UnlistedLowerCaseLanguage", Machine(L"Language", L"fr"), kShows, L"fr", L"fr", kFrench},
    // Any type is taken as text, up to its first null unit.
    {"InstallFolderAsBinaryOfOddLength", InstallFolder(REG_BINARY, L"", false, "\x01"), kShows,
     L"EN", L"EN", kEnglish},
    // A language whose file name lies beyond the Basic Multilingual Plane: a copy of French.
    {"SurrogatePairLanguage",
     Both(Machine(L"Language", L"\U0001F600"),
          [](const Paths& paths) {
              CopyFileW((paths.Lang() + L"\\FR.ini").c_str(),
                        (paths.Lang() + L"\\\U0001F600.ini").c_str(), FALSE);
          }),
     kShows, L"\U0001F600", L"\U0001F600", kFrench},
    // Values the program cannot use: it never crashes.
    {"LanguageAsDword", Player(L"Language", {REG_DWORD, std::string("E\0N\0", 4)}), kShowsOrEnds},
    {"InstallFolderAsDword", InstallFolder(REG_DWORD, L"", false, ""), kShowsOrEnds},
    {"InstallFolderIsAFile", InstallFolder(REG_SZ, L"\\CookedPC\\en0.qzstrings", true),
     kShowsOrEnds},
};

class StartTest : public ConfiguratorTest, public ::testing::WithParamInterface<StartCase> {};

} // namespace

TEST_P(StartTest, EndsOrShowsAndSaves) {
    const StartCase& c = GetParam();
    c.arrange(P());
    const StartupOutcome outcome = Start();
    if (c.status > kShowsOrEnds || (c.status == kShowsOrEnds && !outcome.dialog)) {
        ASSERT_FALSE(outcome.dialog) << outcome.Describe();
        ASSERT_TRUE(outcome.exitStatus) << outcome.Describe();
        if (c.status == kShowsOrEnds) {
            EXPECT_TRUE(*outcome.exitStatus >= 100 && *outcome.exitStatus <= 108);
            return;
        }
        EXPECT_EQ(*outcome.exitStatus, static_cast<DWORD>(c.status));
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
    EXPECT_EQ(Utf8(window.Caption()), c.caption ? c.caption : Utf8(window.Caption()));
    EXPECT_FALSE(FileExists(P().UserIni())) << "written before OK";
    ASSERT_TRUE(PressAndWaitForExit(window, IDOK));
    if (c.status == kShowsOrEnds) {
        EXPECT_TRUE(FileExists(P().UserIni()));
        return;
    }
    auto player = GameKeyValues(Hive::Player).value_or(std::map<std::wstring, RegistryValue>{});
    EXPECT_EQ(player[L"Language"], StringValue(c.text));
    EXPECT_EQ(player[L"Speech"], StringValue(c.voice));
    ExpectUserIniGolden("ok-at-start-User.ini");
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
