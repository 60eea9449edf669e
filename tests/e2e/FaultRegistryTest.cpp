// Registry values of the wrong type, of sizes around the program's 4096-byte buffer, pointing
// nowhere, or naming languages outside ASCII: the program starts or ends with one of its
// statuses, never crashes, and OK stores the languages it used.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "Files.h"
#include "GameData.h"
#include "Registry.h"
#include "SaveExpectations.h"
#include "WideText.h"

#include <string>
#include <vector>

namespace {

// UTF-16LE bytes of text, with a terminating null when terminated.
std::string Utf16Data(std::wstring_view text, bool terminated) {
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    if (terminated)
        bytes.append(2, '\0');
    return bytes;
}

// A "Language" of the player's key of exactly this many bytes; the machine's is "EN".
struct SizedLanguageCase {
    const char* name;
    size_t bytes;
    bool terminated;
    bool fits; // read as the player's language, else the machine's "EN" stands in
};

const SizedLanguageCase kSizedLanguages[] = {
    {"Bytes4094", 4094, true, true},
    {"Bytes4096", 4096, true, true},
    {"Bytes4096WithoutTerminator", 4096, false, true},
    {"Bytes4098", 4098, true, false},
};

class SizedLanguageTest : public ConfiguratorTest,
                          public ::testing::WithParamInterface<SizedLanguageCase> {};

void PrintTo(const SizedLanguageCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

// A value that fits the buffer is the language (unknown, so every caption is its key, and OK
// stores it back unchanged); one byte pair more counts as missing.
TEST_P(SizedLanguageTest, FitsOrCountsAsMissing) {
    const SizedLanguageCase& c = GetParam();
    const size_t units = c.bytes / 2 - (c.terminated ? 1 : 0);
    const std::wstring language(units, L'L');
    ASSERT_TRUE(SetGameValue(kPlayerKey, L"Language", {REG_SZ, Utf16Data(language, c.terminated)}));
    ASSERT_TRUE(SetGameString(kPlayerKey, L"Speech", L"EN"));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const LanguageTexts texts(Paths().LangDir());
    EXPECT_EQ(dialog->Caption(), texts.Text(c.fits ? language : L"EN", "Configurator"));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(c.fits ? language : L"EN"));
    EXPECT_TRUE(FileExists(Paths().UserIni()));
}

INSTANTIATE_TEST_SUITE_P(Registry, SizedLanguageTest, ::testing::ValuesIn(kSizedLanguages),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// "InstallFolder" as some other type of value. The data is taken as text whatever its type.
struct OddInstallFolderCase {
    const char* name;
    DWORD type;
    std::string (*data)(const std::wstring& installDir);
    bool found; // the installation is found through it
};

const OddInstallFolderCase kOddInstallFolders[] = {
    {"ExpandString", REG_EXPAND_SZ, [](const std::wstring& d) { return Utf16Data(d, true); }, true},
    {"BinaryOddLength", REG_BINARY,
     [](const std::wstring& d) { return Utf16Data(d, false) + "\x01"; }, true},
    {"MultiString", REG_MULTI_SZ,
     [](const std::wstring& d) {
         return Utf16Data(d, true) + Utf16Data(L"C:\\other", true) + std::string(2, '\0');
     },
     true},
    {"Dword", REG_DWORD, [](const std::wstring&) { return std::string("\x2A\0\0\0", 4); }, false},
    {"NoSuchFolder", REG_SZ, [](const std::wstring& d) { return Utf16Data(d + L"-gone", true); },
     false},
    {"AFileNotAFolder", REG_SZ,
     [](const std::wstring& d) { return Utf16Data(d + L"\\CookedPC\\en0.qzstrings", true); },
     false},
};

class OddInstallFolderTest : public ConfiguratorTest,
                             public ::testing::WithParamInterface<OddInstallFolderCase> {};

void PrintTo(const OddInstallFolderCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

// The program either finds the installation or shows its window without one (keys for every
// caption, no languages listed) or ends with a start-up status; whatever it shows, OK saves
// the player's file whole and ends normally.
TEST_P(OddInstallFolderTest, StartsOrEndsCleanly) {
    const OddInstallFolderCase& c = GetParam();
    ASSERT_TRUE(
        SetGameValue(kMachineKey32, L"InstallFolder", {c.type, c.data(Paths().installDir)}));
    const StartupOutcome outcome = Start();
    if (!outcome.dialog) {
        ASSERT_TRUE(outcome.exitStatus) << outcome.Describe();
        EXPECT_GE(*outcome.exitStatus, 100u) << outcome.Describe();
        EXPECT_LE(*outcome.exitStatus, 108u) << outcome.Describe();
        EXPECT_FALSE(c.found) << outcome.Describe();
        return;
    }
    ASSERT_TRUE(outcome.boxes.empty()) << outcome.Describe();
    DialogDriver dialog(outcome.dialog);
    const LanguageTexts texts(Paths().LangDir());
    if (c.found) {
        EXPECT_EQ(dialog.Caption(), texts.Text(L"EN", "Configurator"));
    } else {
        EXPECT_EQ(dialog.Caption(), L"Configurator");
    }
    ASSERT_TRUE(PressAndWaitForExit(dialog, ids::kOk));
    const auto written = UserIniBytes();
    ASSERT_TRUE(written);
    if (c.found) {
        const ProfileFiles profiles(Paths().ProfilesDir());
        EXPECT_EQ(*written,
                  FormatIniBytes(ExpectedUserFile({}, ChoicesAtStart({}, profiles), profiles)));
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, OddInstallFolderTest, ::testing::ValuesIn(kOddInstallFolders),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// A text language outside ASCII: its data file gives the list entry, its language file (a
// copy of the French one) the captions, and OK stores it back unchanged.
struct WideLanguageCase {
    const char* name;
    const wchar_t* code;
};

const WideLanguageCase kWideLanguages[] = {
    {"Latin1", L"\u00E4\u00D6"},
    {"Cjk", L"\u65E5\u672C"},
    {"SurrogatePair", L"\U0001F600"},
};

class WideLanguageTest : public ConfiguratorTest,
                         public ::testing::WithParamInterface<WideLanguageCase> {};

void PrintTo(const WideLanguageCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

TEST_P(WideLanguageTest, ListedCaptionedAndSaved) {
    const std::wstring code = GetParam().code;
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", code + L"0"}, {L"EN", code}));
    ASSERT_TRUE(CopyFileW((Paths().LangDir() + L"\\FR.ini").c_str(),
                          (Paths().LangDir() + L"\\" + code + L".ini").c_str(), FALSE));
    ASSERT_TRUE(SetGameString(kMachineKey32, L"Language", code));
    const auto installation = SnapshotFolder(Paths().installDir);

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboSelectedText(ids::kTextLanguageList), code);
    EXPECT_EQ(dialog->ComboSelectedText(ids::kVoiceLanguageList), code);
    const LanguageTexts texts(Paths().LangDir());
    EXPECT_EQ(dialog->Caption(), texts.Text(L"FR", "Configurator"));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(code));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(code));
    EXPECT_TRUE(SnapshotFolder(Paths().installDir) == installation);
}

INSTANTIATE_TEST_SUITE_P(Registry, WideLanguageTest, ::testing::ValuesIn(kWideLanguages),
                         [](const auto& info) { return std::string(info.param.name); });
