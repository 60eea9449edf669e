// Start-up: where the program finds the installation and the languages, and how it ends when
// it cannot.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "Files.h"
#include "GameData.h"
#include "Registry.h"
#include "RenderingExpectations.h"
#include "WideText.h"

#include <functional>
#include <vector>

namespace {

// A value that does not fit the program's 4096-byte read buffer.
std::wstring OversizedText() {
    return std::wstring(2100, L'E');
}

struct StartupFailureCase {
    const char* name;
    std::function<void(const Installation&)> arrange;
    DWORD exitStatus;
    bool fatalMessage;
};

const StartupFailureCase kStartupFailures[] = {
    {"NoMachineKeyInEitherView", [](const Installation&) { DeleteGameKey(kMachineKey32); }, 102,
     true},
    {"NoLanguageInEitherKey",
     [](const Installation&) { DeleteGameValue(kMachineKey32, L"Language"); }, 103, true},
    {"OnlyAnOversizedLanguage",
     [](const Installation&) {
         DeleteGameValue(kMachineKey32, L"Language");
         SetGameString(kPlayerKey, L"Language", OversizedText());
     },
     103, true},
    {"NoInstallFolder",
     [](const Installation&) { DeleteGameValue(kMachineKey32, L"InstallFolder"); }, 105, true},
    {"InstallFolderOnlyInThePlayersKey",
     [](const Installation& installation) {
         DeleteGameValue(kMachineKey32, L"InstallFolder");
         SetGameString(kPlayerKey, L"InstallFolder", installation.installDir);
     },
     105, true},
    {"OversizedInstallFolder",
     [](const Installation&) { SetGameString(kMachineKey32, L"InstallFolder", OversizedText()); },
     105, true},
    {"EmptyInstallFolder",
     [](const Installation&) { SetGameString(kMachineKey32, L"InstallFolder", L""); }, 106, false},
    {"EmptyLanguageInThePlayersKeyHidesTheMachines",
     [](const Installation&) { SetGameString(kPlayerKey, L"Language", L""); }, 107, false},
    {"EmptyLanguageInTheMachineKey",
     [](const Installation&) { SetGameString(kMachineKey32, L"Language", L""); }, 107, false},
    {"EmptySpeechInThePlayersKey",
     [](const Installation&) {
         SetGameString(kPlayerKey, L"Speech", L"");
         SetGameString(kMachineKey32, L"Speech", L"EN");
     },
     108, false},
    {"EmptySpeechInTheMachineKey",
     [](const Installation&) { SetGameString(kMachineKey32, L"Speech", L""); }, 108, false},
};

class StartupFailureTest : public ConfiguratorTest,
                           public ::testing::WithParamInterface<StartupFailureCase> {};

void PrintTo(const StartupFailureCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

// Each start-up failure ends the process with its own status before the dialog shows; the
// three that concern a broken installation first say so in the fatal message box. Nothing is
// written to the player's configuration folder.
TEST_P(StartupFailureTest, EndsWithItsExitStatus) {
    GetParam().arrange(Paths());
    const StartupOutcome outcome = Start();
    EXPECT_EQ(outcome.dialog, nullptr) << outcome.Describe();
    EXPECT_EQ(outcome.exitStatus, GetParam().exitStatus) << outcome.Describe();
    if (GetParam().fatalMessage) {
        ASSERT_EQ(outcome.boxes.size(), 1u) << outcome.Describe();
        EXPECT_EQ(WideToUtf8(outcome.boxes[0].caption), "Configurator");
        EXPECT_EQ(WideToUtf8(outcome.boxes[0].text), kFatalMessage);
    } else {
        EXPECT_TRUE(outcome.boxes.empty()) << outcome.Describe();
    }
    EXPECT_TRUE(SnapshotFolder(Paths().ConfigDir()).empty());
}

INSTANTIATE_TEST_SUITE_P(Registry, StartupFailureTest, ::testing::ValuesIn(kStartupFailures),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// Where the two language values come from: the player's key first, then the machine's; a
// missing "Speech" takes the text language. nullptr leaves a value out.
struct LanguageSourceCase {
    const char* name;
    const wchar_t* playerLanguage;
    const wchar_t* playerSpeech;
    const wchar_t* machineLanguage;
    const wchar_t* machineSpeech;
    const wchar_t* textLanguage;
    const wchar_t* voiceLanguage;
};

const LanguageSourceCase kLanguageSources[] = {
    {"MachineKeyOnly", nullptr, nullptr, L"EN", L"FR", L"EN", L"FR"},
    {"PlayersLanguageWins", L"FR", nullptr, L"EN", nullptr, L"FR", L"FR"},
    {"PlayersSpeechWins", nullptr, L"EN", L"FR", L"FR", L"FR", L"EN"},
    {"SpeechMissingEverywhereFollowsText", nullptr, nullptr, L"FR", nullptr, L"FR", L"FR"},
    {"OversizedPlayersLanguageCountsAsMissing", L"<oversized>", nullptr, L"FR", L"EN", L"FR",
     L"EN"},
    {"OversizedPlayersSpeechCountsAsMissing", nullptr, L"<oversized>", L"EN", L"FR", L"EN", L"FR"},
};

void SetOrDelete(const GameKey& key, const wchar_t* name, const wchar_t* value) {
    if (!value)
        DeleteGameValue(key, name);
    else if (std::wstring(value) == L"<oversized>")
        SetGameString(key, name, OversizedText());
    else
        SetGameString(key, name, value);
}

class LanguageSourceTest : public ConfiguratorTest,
                           public ::testing::WithParamInterface<LanguageSourceCase> {};

void PrintTo(const LanguageSourceCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

// The lists select the languages found, and OK stores both in the player's key, also when
// they came from the machine's.
TEST_P(LanguageSourceTest, SelectsAndSavesTheLanguagesFound) {
    const LanguageSourceCase& c = GetParam();
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN", L"FR"}));
    SetOrDelete(kPlayerKey, L"Language", c.playerLanguage);
    SetOrDelete(kPlayerKey, L"Speech", c.playerSpeech);
    SetOrDelete(kMachineKey32, L"Language", c.machineLanguage);
    SetOrDelete(kMachineKey32, L"Speech", c.machineSpeech);

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboSelectedText(ids::kTextLanguageList), c.textLanguage);
    EXPECT_EQ(dialog->ComboSelectedText(ids::kVoiceLanguageList), c.voiceLanguage);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(c.textLanguage));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(c.voiceLanguage));
}

INSTANTIATE_TEST_SUITE_P(Registry, LanguageSourceTest, ::testing::ValuesIn(kLanguageSources),
                         [](const auto& info) { return std::string(info.param.name); });

// A player who never ran the tool: the key is created, empty, and stays empty on Cancel.
TEST_F(ConfiguratorTest, CreatesTheMissingPlayersKeyEmpty) {
    ASSERT_FALSE(GameKeyExists(kPlayerKey));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(SnapshotGameKey(kPlayerKey), (std::map<std::wstring, RegistryValue>{}));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
    EXPECT_EQ(SnapshotGameKey(kPlayerKey), (std::map<std::wstring, RegistryValue>{}));
}

// An installation registered only in the 64-bit view of the machine key is found as well.
TEST_F(ConfiguratorTest, FindsTheMachineKeyInThe64BitView) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN", L"FR"}));
    ASSERT_TRUE(DeleteGameKey(kMachineKey32));
    ASSERT_TRUE(SetGameString(kMachineKey64, L"Language", L"FR"));
    ASSERT_TRUE(SetGameString(kMachineKey64, L"InstallFolder", Paths().installDir));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboSelectedText(ids::kTextLanguageList), L"FR");
    EXPECT_EQ(dialog->ComboSelectedText(ids::kVoiceLanguageList), L"FR");
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}

namespace {

struct OddValueCase {
    const char* name;
    RegistryValue language;
};

const OddValueCase kOddValues[] = {
    {"Dword", {REG_DWORD, std::string("E\0N\0", 4)}},
    {"Binary", {REG_BINARY, std::string("F\0R\0", 4)}},
    {"BinaryOddLength", {REG_BINARY, std::string("F\0R", 3)}},
    {"BinaryOneByte", {REG_BINARY, std::string("F", 1)}},
    {"BinaryEmpty", {REG_BINARY, std::string()}},
    {"StringWithoutTerminator", {REG_SZ, std::string("F\0R\0", 4)}},
    {"MultiString", {REG_MULTI_SZ, std::string("F\0R\0\0\0E\0N\0\0\0\0\0", 14)}},
};

class OddRegistryValueTest : public ConfiguratorTest,
                             public ::testing::WithParamInterface<OddValueCase> {};

void PrintTo(const OddValueCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

// A "Language" of another type or shape than a terminated string never crashes the program:
// it either starts normally or ends with one of its start-up statuses.
TEST_P(OddRegistryValueTest, DoesNotCrash) {
    ASSERT_TRUE(SetGameValue(kPlayerKey, L"Language", GetParam().language));
    const StartupOutcome outcome = Start();
    if (outcome.dialog) {
        DialogDriver dialog(outcome.dialog);
        EXPECT_TRUE(PressAndWaitForExit(dialog, ids::kCancel));
        return;
    }
    ASSERT_TRUE(outcome.exitStatus) << outcome.Describe();
    EXPECT_GE(*outcome.exitStatus, 100u) << outcome.Describe();
    EXPECT_LE(*outcome.exitStatus, 108u) << outcome.Describe();
}

INSTANTIATE_TEST_SUITE_P(Registry, OddRegistryValueTest, ::testing::ValuesIn(kOddValues),
                         [](const auto& info) { return std::string(info.param.name); });

// The installer's 32-bit view is read first; the 64-bit view is only a fallback.
TEST_F(ConfiguratorTest, PrefersThe32BitViewOfTheMachineKey) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN", L"FR"}));
    ASSERT_TRUE(SetGameString(kMachineKey32, L"Language", L"FR"));
    ASSERT_TRUE(SetGameString(kMachineKey64, L"Language", L"EN"));
    ASSERT_TRUE(SetGameString(kMachineKey64, L"InstallFolder", L"C:\\nowhere"));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboSelectedText(ids::kTextLanguageList), L"FR");
    const LanguageTexts texts(Paths().LangDir());
    EXPECT_EQ(dialog->Text(ids::kTextLabel), texts.Text(L"FR", "Text"));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}

// "InstallFolder" stored with a trailing backslash still finds the language files, the
// profiles and the data files through the doubled separator.
TEST_F(ConfiguratorTest, InstallFolderWithTrailingBackslashWorks) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN"}));
    ASSERT_TRUE(SetGameString(kMachineKey32, L"InstallFolder", Paths().installDir + L"\\"));
    ASSERT_TRUE(SetGameString(kMachineKey32, L"Language", L"FR"));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const LanguageTexts texts(Paths().LangDir());
    const ProfileFiles profiles(Paths().ProfilesDir());
    EXPECT_EQ(dialog->ComboEntries(ids::kVoiceLanguageList), (std::vector<std::wstring>{L"EN"}));
    EXPECT_EQ(dialog->Caption(), texts.Text(L"FR", "Configurator"));
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, 3));
    EXPECT_EQ(dialog->ComboSelection(ids::RowCombo(1)),
              RowIndexOf(RenderingRows()[1], profiles.Value(3, "TextureMemoryBudget")));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}
