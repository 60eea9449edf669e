// Damaged player and installation files under the real program: it starts without a message,
// OK saves the player's file whole (keeping a file it could not read whole as User.ini.bak),
// and the installation's files are never touched.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "FaultSupport.h"
#include "Files.h"
#include "GameData.h"
#include "SaveExpectations.h"

#include "config/ConfigFile.h"

#include "config/FaultInputs.h"

#include <set>
#include <string>
#include <vector>

namespace {

class BadUserIniTest : public ConfiguratorTest,
                       public ::testing::WithParamInterface<fault::BadFile> {
protected:
    // Starts on original as User.ini, presses OK and checks every file: User.ini must be
    // expected (and writable), and a file not read whole must survive as User.ini.bak.
    void OkAndCheck(const std::string& original, const std::string& expected, bool whole,
                    bool readOnly = false) {
        WriteUserIni(original);
        if (readOnly) {
            ASSERT_TRUE(SetFileAttributesW(Paths().UserIni().c_str(), FILE_ATTRIBUTE_READONLY));
        }
        const auto installation = SnapshotFolder(Paths().installDir);
        auto dialog = Launch();
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
        ExpectUserIni(expected);
        EXPECT_EQ(GetFileAttributesW(Paths().UserIni().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
        const auto backup = ReadFileBytes(Paths().UserIni() + L".bak");
        if (whole) {
            EXPECT_FALSE(backup) << "a backup of a file that was read whole";
        } else {
            EXPECT_TRUE(backup == original) << "the backup does not hold the original bytes";
        }
        EXPECT_EQ(SnapshotFolder(Paths().ConfigDir()).size(), whole ? 1u : 2u);
        EXPECT_TRUE(SnapshotFolder(Paths().installDir) == installation)
            << "the installation changed";
    }

    std::string ExpectedFor(const std::string& original) const {
        return ExpectedAfterOk(original, ProfileFiles(Paths().ProfilesDir()));
    }
};

// The shapes that take different roads through the program; the store's own tests take
// every shape.
std::vector<fault::BadFile> ShapesForTheProgram() {
    const std::set<std::string> alike = {
        "MarkOnly",         "Utf16LeWithoutMark",          "NulFirst",
        "HeaderWithASpace", "HeaderWithAControlCharacter", "EqualsRightAfterAHeader",
        "HeaderWithATab"};
    std::vector<fault::BadFile> shapes;
    for (const fault::BadFile& file : fault::BadFiles())
        if (!alike.count(file.name))
            shapes.push_back(file);
    return shapes;
}

} // namespace

TEST_P(BadUserIniTest, OkSavesTheWholeFile) {
    const std::string original = GetParam().bytes();
    OkAndCheck(original, ExpectedFor(original), TakenWhole(original));
}

// A read-only User.ini that was not read whole: made writable, saved, and the original kept.
TEST_F(BadUserIniTest, ReadOnlyAndNotReadWhole) {
    const std::string original = fault::GoodStart() + "[]\r\nA=1\r\n";
    OkAndCheck(original, ExpectedFor(original), false, true);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BadUserIniTest, ::testing::ValuesIn(ShapesForTheProgram()),
                         CaseName);

// 50 MB of the player's own section: read, kept and written back with OK's changes. The
// section sorts first, so the expected text is its lines followed by what OK makes of the
// rest; the big text is never parsed by the driver.
TEST_F(BadUserIniTest, FiftyMegabytes) {
    std::string lines;
    const std::string line = "Key=" + std::string(90, 'v') + "\r\n";
    while (lines.size() < (50u << 20))
        lines += line;
    const std::string section = "[Bindings]\r\n" + lines + "\r\n";
    const std::string rest = ExpectedFor(fault::GoodStart());
    OkAndCheck(fault::GoodStart() + section, rest.substr(0, 3) + section + rest.substr(3), true);
}

// Every value the window reads, in custom mode and out of every range: huge and negative
// numbers, text where numbers belong, 100 000 characters, bytes that are no UTF-8.
TEST_F(BadUserIniTest, ValuesOutOfEveryRange) {
    std::string bytes = "[Engine]\r\nPerformancePlatform=99999999999999999999\r\n"
                        "CustomRenderingSettings=1\r\n"
                        "[Viewport]\r\nWidth=-2147483649\r\nHeight=1e9\r\n"
                        "[Input]\r\nKeyboardLayout=\xFF\xFE\r\n"
                        "[Rendering]\r\nFullscreen=" +
                        std::string(100000, '1') +
                        "\r\n_ShadowQuality=-7\r\n_ShadowedLights=+9x\r\n";
    for (const ExpectedRow& row : RenderingRows())
        bytes += std::string(row.key) + "=" + std::string(100000, '9') + "\xC0\r\n";
    OkAndCheck(bytes, ExpectedFor(bytes), true);
}

// The program killed while it writes a big file: User.ini holds either the old or the complete
// new text, and the next OK saves normally over whatever the killed save left behind.
TEST_F(BadUserIniTest, KilledWhileSaving) {
    std::string original = fault::GoodStart() + "[Bindings]\r\n";
    while (original.size() < (20u << 20))
        original += "Key=" + std::string(90, 'v') + "\r\n";
    const std::string expected = ExpectedFor(original);
    WriteUserIni(original);
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->PostClick(ids::kOk));
    PollFor([&] { return FileExists(Paths().UserIni() + L".tmp"); }, 10000);
    KillProgram();
    const auto afterKill = UserIniBytes();
    ASSERT_TRUE(afterKill);
    EXPECT_TRUE(*afterKill == original || *afterKill == expected)
        << "User.ini is neither the old nor the new text (" << afterKill->size() << " bytes)";

    auto again = Launch();
    ASSERT_TRUE(again);
    ASSERT_TRUE(PressAndWaitForExit(*again, ids::kOk));
    ExpectUserIni(expected);
    EXPECT_EQ(SnapshotFolder(Paths().ConfigDir()).size(), 1u) << "a stale file was left";
}

namespace {

struct DamagedInstallFile {
    const char* name;
    const wchar_t* file;    // below the installation folder
    std::string (*bytes)(); // nullptr: the file is removed; "dir": a folder takes its place
    bool folder = false;
};

const wchar_t kEnglish[] = L"\\bin\\config\\lang\\EN.ini";
const wchar_t kHigh[] = L"\\bin\\config\\profiles\\PCHigh.ini";

// The sample's English texts, each made 100 000 characters longer and given control
// characters and a byte that is no UTF-8.
std::string HugeTexts() {
    const auto sample = ReadFileBytes(UnixToWinePath(SAMPLE_DIR "/bin/config/lang/EN.ini"));
    ConfigSectionMap sections = ConfigFile::FromBytes(u"EN", u"", sample.value())->Sections();
    for (auto& [name, section] : sections) {
        ConfigSection longer;
        for (const auto& [key, values] : section)
            longer.SetValue(
                key, std::u16string(values.front()) + u"\x01\x7F" + std::u16string(100000, u'W'),
                false);
        section = longer;
    }
    return EncodeConfigBytes(FormatConfigText(sections)) + "\xC0";
}

const DamagedInstallFile kDamagedInstallFiles[] = {
    {"LanguageFileWithHugeTexts", kEnglish, HugeTexts},
    {"LanguageFileMissing", kEnglish, nullptr},
    {"LanguageFileIsAFolder", kEnglish, nullptr, true},
    {"LanguageFileGarbage", kEnglish, [] { return fault::Garbage(4096, 3); }},
    {"LanguageFileStopsEarly", kEnglish,
     [] { return std::string("[Configurator]\r\nOK=Fine\r\n[Two words]\r\nText=Words\r\n"); }},
    {"ProfileMissing", kHigh, nullptr},
    {"ProfileGarbage", kHigh, [] { return fault::Garbage(4096, 5); }},
    {"ProfileWithOddValues", kHigh,
     [] {
         return std::string("[Rendering]\r\nTextureMemoryBudget=-99999999999999\r\n"
                            "MaxTextureSize=\xFF\xFE\r\nShadowQuality=9\r\nAllowBloom=yes\r\n");
     }},
};

class DamagedInstallFileTest : public ConfiguratorTest,
                               public ::testing::WithParamInterface<DamagedInstallFile> {};

} // namespace

// A language or profile file that is missing or damaged: the window shows (keys stand in for
// missing texts), HIGH is chosen, and OK saves what the game's rules give for what could be
// read; the installation stays byte-identical.
TEST_P(DamagedInstallFileTest, StartsSavesAndLeavesTheInstallationAlone) {
    const DamagedInstallFile& c = GetParam();
    const std::wstring path = Paths().installDir + c.file;
    ASSERT_TRUE(RemoveTree(path));
    if (c.folder) {
        ASSERT_TRUE(CreateFolders(path));
    } else if (c.bytes) {
        ASSERT_TRUE(WriteFileBytes(path, c.bytes()));
    }
    const auto installation = SnapshotFolder(Paths().installDir);

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    {
        const LanguageTexts texts(Paths().LangDir());
        EXPECT_EQ(dialog->Caption(), texts.Text(L"EN", "Configurator"));
        EXPECT_EQ(dialog->Text(ids::kOk), texts.Text(L"EN", "OK"));
        EXPECT_EQ(dialog->Text(ids::kTextLabel), texts.Text(L"EN", "Text"));
    }
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, 2));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));

    const ProfileFiles profiles(Paths().ProfilesDir());
    DialogChoices choices = ChoicesAtStart({}, profiles);
    choices.level = 2;
    choices.rows = PresetSelection(profiles, 2);
    ExpectUserIni(FormatIniBytes(ExpectedUserFile({}, choices, profiles)));
    EXPECT_TRUE(SnapshotFolder(Paths().installDir) == installation) << "the installation changed";
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedInstallFileTest, ::testing::ValuesIn(kDamagedInstallFiles),
                         CaseName);
