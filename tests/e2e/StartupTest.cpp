// Start-up: where the program finds the installation and the languages in the registry (both
// hives, both views, values of odd types and sizes around its 4096-byte read buffer) and in
// the data files, and how it ends when it cannot. Each case arranges a fresh installation.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "Files.h"
#include "GameData.h"
#include "Registry.h"
#include "WideText.h"

#include <functional>
#include <string>

namespace {

using Arrange = std::function<void(const Installation&)>;

// A value that does not fit the program's read buffer.
const std::wstring kOversized(2100, L'E');

// UTF-16LE bytes of text, with a terminating null when terminated.
std::string Utf16Data(std::wstring_view text, bool terminated) {
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    if (terminated)
        bytes.append(2, '\0');
    return bytes;
}

// The player's "Language" of exactly this many bytes, the machine's "EN".
Arrange SizedLanguage(size_t bytes, bool terminated) {
    return [=](const Installation&) {
        const std::wstring text(bytes / 2 - (terminated ? 1 : 0), L'L');
        SetGameValue(kPlayerKey, L"Language", {REG_SZ, Utf16Data(text, terminated)});
    };
}

// "InstallFolder" as a value of type, its data made from the installation folder.
Arrange InstallFolderAs(DWORD type, std::string (*data)(const std::wstring& installDir)) {
    return [=](const Installation& paths) {
        SetGameValue(kMachineKey32, L"InstallFolder", {type, data(paths.installDir)});
    };
}

// A text language outside ASCII: its data file gives the list entry, its language file is a
// copy of the French one.
Arrange WideLanguage(const std::wstring& code) {
    return [=](const Installation& paths) {
        ReplaceLanguageDataFiles(paths, {L"EN", code + L"0"}, {L"EN", code});
        CopyFileW((paths.LangDir() + L"\\FR.ini").c_str(),
                  (paths.LangDir() + L"\\" + code + L".ini").c_str(), FALSE);
        SetGameString(kMachineKey32, L"Language", code);
    };
}

// What a language list must hold: the first two letters of each data file's name, ASCII
// letters upper-cased, in the order the system lists the files, duplicates kept.
std::vector<std::wstring> DataFileCodes(const Installation& paths, const wchar_t* pattern) {
    std::vector<std::wstring> codes;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((paths.CookedDir() + L"\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return codes;
    do {
        std::wstring code = std::wstring(found.cFileName).substr(0, 2);
        for (wchar_t& unit : code)
            unit = unit >= L'a' && unit <= L'z' ? unit - L'a' + L'A' : unit;
        codes.push_back(code);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return codes;
}

// The entry a stored code selects: the last equal entry, else the first; none in an empty list.
int EntryOf(const std::vector<std::wstring>& entries, const std::wstring& code) {
    for (size_t i = entries.size(); i-- > 0;) {
        if (entries[i] == code)
            return static_cast<int>(i);
    }
    return entries.empty() ? -1 : 0;
}

struct StartupFailureCase {
    const char* name;
    Arrange arrange;
    DWORD exitStatus;
    bool fatalMessage; // the broken installation is reported first
};

const StartupFailureCase kStartupFailures[] = {
    {"NoMachineKeyInEitherView", [](auto&) { DeleteGameKey(kMachineKey32); }, 102, true},
    {"NoLanguageInEitherKey", [](auto&) { DeleteGameValue(kMachineKey32, L"Language"); }, 103,
     true},
    {"OnlyAnOversizedLanguage",
     [](auto&) {
         DeleteGameValue(kMachineKey32, L"Language");
         SetGameString(kPlayerKey, L"Language", kOversized);
     },
     103, true},
    {"NoInstallFolder", [](auto&) { DeleteGameValue(kMachineKey32, L"InstallFolder"); }, 105, true},
    {"InstallFolderOnlyInThePlayersKey",
     [](const Installation& paths) {
         DeleteGameValue(kMachineKey32, L"InstallFolder");
         SetGameString(kPlayerKey, L"InstallFolder", paths.installDir);
     },
     105, true},
    {"OversizedInstallFolder",
     [](auto&) { SetGameString(kMachineKey32, L"InstallFolder", kOversized); }, 105, true},
    {"EmptyInstallFolder", [](auto&) { SetGameString(kMachineKey32, L"InstallFolder", L""); }, 106,
     false},
    {"EmptyLanguageInThePlayersKeyHidesTheMachines",
     [](auto&) { SetGameString(kPlayerKey, L"Language", L""); }, 107, false},
    {"EmptyLanguageInTheMachineKey", [](auto&) { SetGameString(kMachineKey32, L"Language", L""); },
     107, false},
    {"EmptySpeechInThePlayersKey",
     [](auto&) {
         SetGameString(kPlayerKey, L"Speech", L"");
         SetGameString(kMachineKey32, L"Speech", L"EN");
     },
     108, false},
    {"EmptySpeechInTheMachineKey", [](auto&) { SetGameString(kMachineKey32, L"Speech", L""); }, 108,
     false},
};

class StartupFailureTest : public ConfiguratorTest,
                           public ::testing::WithParamInterface<StartupFailureCase> {};

// The window lists the languages of the data files and shows these, each selected where listed
// (the last equal entry, else the first); OK (not before) stores both in the player's key,
// also when they came from the machine's, and writes the defaults into User.ini: LOW, the
// desktop size, windowed, QWERTY.
struct LanguageCase {
    const char* name;
    Arrange arrange;
    std::wstring text;
    std::wstring voice;
    std::wstring captions; // the language whose file the captions come from
};

const LanguageCase kLanguageCases[] = {
    // A player who never started the game: OK creates the configuration folder and its parent.
    {"MachineKeyOnly",
     [](const Installation& paths) {
         SetGameString(kMachineKey32, L"Speech", L"DE");
         RemoveTree(paths.GameDocuments());
     },
     L"EN", L"DE", L"EN"},
    {"PlayersLanguageWinsAndSpeechFollowsIt",
     [](auto&) { SetGameString(kPlayerKey, L"Language", L"FR"); }, L"FR", L"FR", L"FR"},
    {"PlayersSpeechWins",
     [](auto&) {
         SetGameString(kPlayerKey, L"Speech", L"EN");
         SetGameString(kMachineKey32, L"Language", L"FR");
         SetGameString(kMachineKey32, L"Speech", L"DE");
     },
     L"FR", L"EN", L"FR"},
    {"OversizedPlayersSpeechCountsAsMissing",
     [](auto&) {
         SetGameString(kPlayerKey, L"Speech", kOversized);
         SetGameString(kMachineKey32, L"Speech", L"DE");
     },
     L"EN", L"DE", L"EN"},
    // A value that fits the buffer is the language (unknown, so every caption is its key);
    // one byte pair more counts as missing.
    {"LanguageOf4096Bytes", SizedLanguage(4096, true), std::wstring(2047, L'L'),
     std::wstring(2047, L'L'), std::wstring(2047, L'L')},
    {"LanguageOf4096BytesWithoutTerminator", SizedLanguage(4096, false), std::wstring(2048, L'L'),
     std::wstring(2048, L'L'), std::wstring(2048, L'L')},
    {"LanguageOf4098Bytes", SizedLanguage(4098, true), L"EN", L"EN", L"EN"},
    {"MachineKeyOnlyInThe64BitView",
     [](const Installation& paths) {
         DeleteGameKey(kMachineKey32);
         SetGameString(kMachineKey64, L"Language", L"FR");
         SetGameString(kMachineKey64, L"InstallFolder", paths.installDir);
     },
     L"FR", L"FR", L"FR"},
    {"The32BitViewFirst",
     [](auto&) {
         SetGameString(kMachineKey32, L"Language", L"FR");
         SetGameString(kMachineKey64, L"Language", L"EN");
         SetGameString(kMachineKey64, L"InstallFolder", L"C:\\nowhere");
     },
     L"FR", L"FR", L"FR"},
    // The language files, the profiles and the data files are all found through the doubled
    // separator.
    {"InstallFolderWithTrailingBackslash",
     [](const Installation& paths) {
         SetGameString(kMachineKey32, L"InstallFolder", paths.installDir + L"\\");
         SetGameString(kMachineKey32, L"Language", L"FR");
     },
     L"FR", L"FR", L"FR"},
    // A stored code that no entry equals shows entry 0 and is what OK saves.
    {"UnlistedLowerCaseLanguage", [](auto&) { SetGameString(kMachineKey32, L"Language", L"fr"); },
     L"fr", L"fr", L"fr"},
    {"NoVoiceDataFiles",
     [](const Installation& paths) {
         ReplaceLanguageDataFiles(paths, {L"EN"}, {});
         SetGameString(kMachineKey32, L"Speech", L"DE");
     },
     L"EN", L"DE", L"EN"},
    // Codes are the upper-cased first two letters of the data files' names, duplicates kept.
    {"TwoDataFilesOfOneLanguage",
     [](const Installation& paths) {
         ReplaceLanguageDataFiles(paths, {L"EN", L"en1"}, {L"EN"});
     },
     L"EN", L"EN", L"EN"},
    {"Latin1Language", WideLanguage(L"\u00E4\u00D6"), L"\u00E4\u00D6", L"\u00E4\u00D6", L"FR"},
    {"CjkLanguage", WideLanguage(L"\u65E5\u672C"), L"\u65E5\u672C", L"\u65E5\u672C", L"FR"},
    {"SurrogatePairLanguage", WideLanguage(L"\U0001F600"), L"\U0001F600", L"\U0001F600", L"FR"},
    // "InstallFolder" of another type: the data is taken as text whatever its type.
    {"InstallFolderAsExpandString",
     InstallFolderAs(REG_EXPAND_SZ, [](const std::wstring& d) { return Utf16Data(d, true); }),
     L"EN", L"EN", L"EN"},
    {"InstallFolderAsBinaryOfOddLength",
     InstallFolderAs(REG_BINARY,
                     [](const std::wstring& d) { return Utf16Data(d, false) + "\x01"; }),
     L"EN", L"EN", L"EN"},
    {"InstallFolderAsMultiString",
     InstallFolderAs(REG_MULTI_SZ,
                     [](const std::wstring& d) {
                         return Utf16Data(d, true) + Utf16Data(L"C:\\other", true) +
                                std::string(2, '\0');
                     }),
     L"EN", L"EN", L"EN"},
};

class LanguageTest : public ConfiguratorTest, public ::testing::WithParamInterface<LanguageCase> {};

// Values the program cannot use: it never crashes, but either shows its window (OK then saves
// and ends normally) or ends with one of its start-up statuses.
struct OddValueCase {
    const char* name;
    Arrange arrange;
};

Arrange PlayersLanguage(RegistryValue value) {
    return [=](auto&) { SetGameValue(kPlayerKey, L"Language", value); };
}

const OddValueCase kOddValues[] = {
    {"LanguageAsDword", PlayersLanguage({REG_DWORD, std::string("E\0N\0", 4)})},
    {"LanguageAsBinary", PlayersLanguage({REG_BINARY, std::string("F\0R\0", 4)})},
    {"LanguageAsBinaryOfOddLength", PlayersLanguage({REG_BINARY, std::string("F\0R", 3)})},
    {"LanguageAsOneByte", PlayersLanguage({REG_BINARY, std::string("F", 1)})},
    {"LanguageAsEmptyBinary", PlayersLanguage({REG_BINARY, std::string()})},
    {"LanguageWithoutTerminator", PlayersLanguage({REG_SZ, std::string("F\0R\0", 4)})},
    {"LanguageAsMultiString",
     PlayersLanguage({REG_MULTI_SZ, std::string("F\0R\0\0\0E\0N\0\0\0\0\0", 14)})},
    {"InstallFolderAsDword",
     InstallFolderAs(REG_DWORD, [](const std::wstring&) { return std::string("\x2A\0\0\0", 4); })},
    {"NoSuchInstallFolder",
     InstallFolderAs(REG_SZ, [](const std::wstring& d) { return Utf16Data(d + L"-gone", true); })},
    {"InstallFolderIsAFile", InstallFolderAs(REG_SZ,
                                             [](const std::wstring& d) {
                                                 return Utf16Data(d + L"\\CookedPC\\en0.qzstrings",
                                                                  true);
                                             })},
};

class OddValueTest : public ConfiguratorTest, public ::testing::WithParamInterface<OddValueCase> {};

} // namespace

// Each start-up failure ends the process with its own status before the dialog shows; nothing
// is written to the player's configuration folder.
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
                         CaseName);

TEST_P(LanguageTest, SelectsCaptionsAndSavesTheLanguagesFound) {
    const LanguageCase& c = GetParam();
    c.arrange(Paths());
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const auto textCodes = DataFileCodes(Paths(), L"*.qzstrings");
    const auto voiceCodes = DataFileCodes(Paths(), L"*.qzspeech");
    EXPECT_EQ(dialog->ComboEntries(ids::kTextLanguageList), textCodes);
    EXPECT_EQ(dialog->ComboEntries(ids::kVoiceLanguageList), voiceCodes);
    EXPECT_EQ(dialog->ComboSelection(ids::kTextLanguageList), EntryOf(textCodes, c.text));
    EXPECT_EQ(dialog->ComboSelection(ids::kVoiceLanguageList), EntryOf(voiceCodes, c.voice));
    {
        const LanguageTexts texts(Paths().LangDir());
        EXPECT_EQ(dialog->Caption(), texts.Text(c.captions, "Configurator"));
        EXPECT_EQ(dialog->Text(ids::kTextLabel), texts.Text(c.captions, "Text"));
    }
    EXPECT_FALSE(FileExists(Paths().UserIni())) << "written before OK";
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(c.text));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(c.voice));
    ExpectUserIni(ExpectedOkBytes({}));
}

INSTANTIATE_TEST_SUITE_P(Registry, LanguageTest, ::testing::ValuesIn(kLanguageCases), CaseName);

TEST_P(OddValueTest, StartsOrEndsCleanly) {
    GetParam().arrange(Paths());
    const StartupOutcome outcome = Start();
    if (!outcome.dialog) {
        ASSERT_TRUE(outcome.exitStatus) << outcome.Describe();
        EXPECT_GE(*outcome.exitStatus, 100u) << outcome.Describe();
        EXPECT_LE(*outcome.exitStatus, 108u) << outcome.Describe();
        return;
    }
    EXPECT_TRUE(outcome.boxes.empty()) << outcome.Describe();
    DialogDriver dialog(outcome.dialog);
    ASSERT_TRUE(PressAndWaitForExit(dialog, ids::kOk));
    EXPECT_TRUE(FileExists(Paths().UserIni()));
}

INSTANTIATE_TEST_SUITE_P(Registry, OddValueTest, ::testing::ValuesIn(kOddValues), CaseName);
