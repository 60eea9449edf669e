// OK writes the player's choices into User.ini and the player's registry key; Cancel and
// Close write nothing.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "Files.h"
#include "GameData.h"
#include "Registry.h"
#include "SaveExpectations.h"
#include "WideText.h"

namespace {

// The user file in the form it must have after a save; a mismatch shows both texts.
void ExpectUserIni(const std::optional<std::string>& actual, const std::string& expected) {
    ASSERT_TRUE(actual) << "no User.ini";
    EXPECT_EQ(*actual, expected) << "written:\n"
                                 << ShowLineEnds(*actual) << "\nexpected:\n"
                                 << ShowLineEnds(expected);
}

std::string Decimal(int value) {
    return std::to_string(value);
}

} // namespace

// A hand-written file with comments, stray text, unsorted and repeated sections and keys, a
// repeated key and a non-ASCII value comes back sorted, merged, with CR LF and the UTF-8 mark;
// unknown sections and every value of a repeated key survive.
TEST_F(ConfiguratorTest, OkWritesTheUserFileInTheGameFormat) {
    WriteUserIni("\xEF\xBB\xBF; written by hand\r\n"
                 "stray=before any header\n"
                 "[Viewport]\r\nWidth=1024\r\nHeight=768\r\n"
                 "[Player]\nzeta=last\nName=\xC3\x85sa\nAlpha=first\na line without a value\n"
                 "[InputAZERTY]\r\nGI_Forward=IK_Z\r\nGI_Forward=IK_Up\r\n"
                 "[Engine]\r\nPerformancePlatform=2\r\nCustomRenderingSettings=0\r\n"
                 "[Rendering]\r\nFullscreen=1\r\n_ShadowQuality=3\r\n_ShadowedLights=1\r\n"
                 "AllowBloom=0\r\n"
                 "[Input]\r\nKeyboardLayout=AZERTY\r\n"
                 "[Player]\r\nLevel=12\r\n");
    const IniModel viewport = {{"Viewport", {{"Width", {"1024"}}, {"Height", {"768"}}}}};
    const DisplayMode mode =
        ListedDisplayModes().at(ExpectedResolutionIndex(ListedDisplayModes(), viewport));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));

    // HIGH from the sample's PCHigh; cube shadows from PCUber (_ShadowQuality 3), spot shadows
    // from PCMedium (_ShadowedLights 1), texture limits from PCHigh.
    const std::string expected =
        "\xEF\xBB\xBF"
        "[Engine]\r\nCustomRenderingSettings=0\r\nPerformancePlatform=2\r\n\r\n"
        "[Input]\r\nKeyboardLayout=AZERTY\r\n\r\n"
        "[InputAZERTY]\r\nGI_Forward=IK_Z\r\nGI_Forward=IK_Up\r\n\r\n"
        "[Player]\r\nAlpha=first\r\nLevel=12\r\nName=\xC3\x85sa\r\nzeta=last\r\n\r\n"
        "[Rendering]\r\n"
        "AllowAntialias=1\r\nAllowBloom=1\r\nAllowBlur=1\r\nAllowCutsceneDOF=1\r\n"
        "AllowDOF=1\r\nAllowDecals=1.0\r\nAllowMotionBlur=1\r\nAllowRain=1\r\n"
        "AllowSSAO=1\r\nAllowScatterDOF=0\r\nAllowShafts=1\r\nAllowSharpen=1\r\n"
        "AllowVignette=1\r\nAtlasTextureDownscale=0\r\nDanglesLimiter=0\r\n"
        "DetailTextureDownscale=0\r\nFullscreen=1\r\nMaxAtlasTextureSize=8192\r\n"
        "MaxCubeShadowCount=4\r\nMaxCubeShadowSize=2048\r\nMaxSpotShadowCount=4\r\n"
        "MaxSpotShadowSize=1024\r\nMaxTextureSize=4096\r\nMeshDistanceScale=1.0\r\n"
        "ShadowQuality=2\r\nShadowedLights=2\r\nTextureDownscale=0\r\n"
        "TextureMemoryBudget=400\r\nUberSampling=0\r\nVSync=1\r\n"
        "_ShadowQuality=3\r\n_ShadowedLights=1\r\n\r\n"
        "[Viewport]\r\nHeight=" +
        Decimal(mode.height) + "\r\nWidth=" + Decimal(mode.width) + "\r\n\r\n";
    ExpectUserIni(UserIniBytes(), expected);
    EXPECT_EQ(SnapshotFolder(Paths().ConfigDir()).size(), 1u) << "stray files beside User.ini";
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(L"EN"));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(L"EN"));
}

// Without any user file OK writes the defaults: LOW, the desktop size, windowed, QWERTY.
TEST_F(ConfiguratorTest, OkWithoutUserFileWritesTheDefaults) {
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    const ProfileFiles profiles(Paths().ProfilesDir());
    const IniModel expected = ExpectedUserFile({}, ChoicesAtStart({}, profiles), profiles);
    ExpectUserIni(UserIniBytes(), FormatIniBytes(expected));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(L"EN"));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(L"EN"));
}

// Every choice of the main window reaches the file or the registry with OK; a chosen display
// mode is saved with its own size.
TEST_F(ConfiguratorTest, OkSavesTheChosenEntries) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN", L"DE"}));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const int lastMode = dialog->ComboCount(ids::kResolutionList) - 1;
    ASSERT_GE(lastMode, 0);
    ASSERT_TRUE(dialog->Choose(ids::kKeyboardList, 2));
    ASSERT_TRUE(dialog->Choose(ids::kFullscreenList, 1));
    ASSERT_TRUE(dialog->Choose(ids::kResolutionList, lastMode));
    ASSERT_TRUE(dialog->Choose(ids::kTextLanguageList,
                               dialog->ComboIndexOf(ids::kTextLanguageList, L"FR")));
    ASSERT_TRUE(dialog->Choose(ids::kVoiceLanguageList,
                               dialog->ComboIndexOf(ids::kVoiceLanguageList, L"DE")));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));

    const ProfileFiles profiles(Paths().ProfilesDir());
    DialogChoices choices = ChoicesAtStart({}, profiles);
    choices.keyboard = 2;
    choices.fullscreen = 1;
    choices.resolution = lastMode;
    ExpectUserIni(UserIniBytes(), FormatIniBytes(ExpectedUserFile({}, choices, profiles)));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(L"FR"));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(L"DE"));
}

// Choosing another text language re-captions the window at once; the registry learns it
// only with OK.
TEST_F(ConfiguratorTest, TextLanguageSwitchesAtOnceAndIsSavedWithOk) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN", L"FR"}));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const LanguageTexts texts(Paths().LangDir());
    ASSERT_NE(texts.Text(L"EN", "Text"), texts.Text(L"FR", "Text"));
    EXPECT_EQ(dialog->Text(ids::kTextLabel), texts.Text(L"EN", "Text"));

    ASSERT_TRUE(dialog->Choose(ids::kTextLanguageList,
                               dialog->ComboIndexOf(ids::kTextLanguageList, L"FR")));
    EXPECT_EQ(dialog->Caption(), texts.Text(L"FR", "Configurator"));
    EXPECT_EQ(dialog->Text(ids::kTextLabel), texts.Text(L"FR", "Text"));
    EXPECT_EQ(dialog->Text(ids::kOk), texts.Text(L"FR", "OK"));
    EXPECT_EQ(dialog->ComboSelectedText(ids::kPresetList), texts.Text(L"FR", "LOW"));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), std::nullopt);

    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(L"FR"));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(L"EN"));
}

namespace {

enum class Leave { CancelButton, CloseMessage, CloseBox };

class LeaveWithoutSavingTest : public ConfiguratorTest,
                               public ::testing::WithParamInterface<Leave> {
protected:
    // Changes every choice the main window offers.
    static void ChangeEverything(DialogDriver& dialog) {
        ASSERT_TRUE(dialog.Choose(ids::kTextLanguageList,
                                  dialog.ComboIndexOf(ids::kTextLanguageList, L"FR")));
        ASSERT_TRUE(dialog.Choose(ids::kVoiceLanguageList,
                                  dialog.ComboIndexOf(ids::kVoiceLanguageList, L"FR")));
        ASSERT_TRUE(dialog.Choose(ids::kKeyboardList, 2));
        ASSERT_TRUE(dialog.Choose(ids::kFullscreenList, 1));
        ASSERT_TRUE(
            dialog.Choose(ids::kResolutionList, dialog.ComboCount(ids::kResolutionList) - 1));
        ASSERT_TRUE(dialog.Choose(ids::kPresetList, 3));
        ASSERT_TRUE(dialog.Choose(ids::RowCombo(0), 1));
        ASSERT_TRUE(dialog.Click(ids::kCustomCheck));
    }

    bool LeaveDialog(DialogDriver& dialog) {
        switch (GetParam()) {
        case Leave::CancelButton:
            return dialog.Click(ids::kCancel);
        case Leave::CloseMessage:
            return dialog.PostClose();
        case Leave::CloseBox:
            return dialog.PostSysClose();
        }
        return false;
    }
};

} // namespace

// Cancel, WM_CLOSE and the close box leave the player's files and both keys byte-identical,
// and the next start shows the old language again.
TEST_P(LeaveWithoutSavingTest, WritesNothing) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN", L"FR"}));
    ASSERT_TRUE(SetGameString(kPlayerKey, L"Language", L"EN"));
    WriteUserIni("[Engine]\nPerformancePlatform=1\n[Rendering]\nFullscreen=0\n");
    const auto files = SnapshotFolder(Paths().GameDocuments());
    const auto player = SnapshotGameKey(kPlayerKey);
    const auto machine = SnapshotGameKey(kMachineKey32);

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ChangeEverything(*dialog);
    ASSERT_TRUE(LeaveDialog(*dialog));
    EXPECT_EQ(WaitForExit(), kNormalExitStatus);
    EXPECT_EQ(SnapshotFolder(Paths().GameDocuments()), files);
    EXPECT_EQ(SnapshotGameKey(kPlayerKey), player);
    EXPECT_EQ(SnapshotGameKey(kMachineKey32), machine);

    auto again = Launch();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ComboSelectedText(ids::kTextLanguageList), L"EN");
    const LanguageTexts texts(Paths().LangDir());
    EXPECT_EQ(again->Text(ids::kTextLabel), texts.Text(L"EN", "Text"));
    ASSERT_TRUE(PressAndWaitForExit(*again, ids::kCancel));
}

INSTANTIATE_TEST_SUITE_P(Ways, LeaveWithoutSavingTest,
                         ::testing::Values(Leave::CancelButton, Leave::CloseMessage,
                                           Leave::CloseBox),
                         [](const auto& info) {
                             switch (info.param) {
                             case Leave::CancelButton:
                                 return std::string("CancelButton");
                             case Leave::CloseMessage:
                                 return std::string("CloseMessage");
                             case Leave::CloseBox:
                                 return std::string("CloseBox");
                             }
                             return std::string();
                         });

// A read-only User.ini is made writable and rewritten, and stays writable.
TEST_F(ConfiguratorTest, ReadOnlyUserFileIsMadeWritable) {
    const IniModel before = {{"Engine", {{"PerformancePlatform", {"3"}}}},
                             {"Input", {{"KeyboardLayout", {"QWERTZ"}}}}};
    WriteUserIni(FormatIniBytes(before));
    ASSERT_TRUE(SetFileAttributesW(Paths().UserIni().c_str(), FILE_ATTRIBUTE_READONLY));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    const DWORD attributes = GetFileAttributesW(Paths().UserIni().c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    const ProfileFiles profiles(Paths().ProfilesDir());
    ExpectUserIni(UserIniBytes(), FormatIniBytes(ExpectedUserFile(
                                      before, ChoicesAtStart(before, profiles), profiles)));
}

// A missing user configuration folder (and its parent) is created by OK, so the choices are
// not lost.
TEST_F(ConfiguratorTest, MissingConfigFolderIsCreated) {
    ASSERT_TRUE(RemoveTree(Paths().GameDocuments()));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(IsFolder(Paths().ConfigDir())) << "created before OK";
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    const ProfileFiles profiles(Paths().ProfilesDir());
    ExpectUserIni(UserIniBytes(),
                  FormatIniBytes(ExpectedUserFile({}, ChoicesAtStart({}, profiles), profiles)));
}

// When User.ini cannot be replaced the player is told, and the dialog stays open so that the
// choices are not lost silently; Cancel then ends it.
TEST_F(ConfiguratorTest, FailedSaveIsReportedAndTheDialogStaysOpen) {
    ASSERT_TRUE(CreateFolders(Paths().UserIni()));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->PostClick(ids::kOk));
    const HWND box =
        PollFor([&] { return FindMessageBox(dialog->Pid(), dialog->Handle()); }, 10000);
    ASSERT_TRUE(box) << "no message box owned by the dialog";
    const LanguageTexts texts(Paths().LangDir());
    EXPECT_EQ(ReadMessageBox(box).text, texts.Text(L"EN", "SaveError"));
    ASSERT_TRUE(PressMessageBoxButton(box, IDOK));
    EXPECT_TRUE(PollFor([&] { return !IsWindow(box); }, 10000));
    EXPECT_TRUE(dialog->IsOpen());
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
    EXPECT_TRUE(IsFolder(Paths().UserIni()));
}

namespace {

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

struct UnusualFileCase {
    const char* name;
    std::string bytes;
    IniModel read;  // what the program takes from the file
    bool keptAside; // the original bytes must survive as User.ini.bak
};

void PrintTo(const UnusualFileCase& c, std::ostream* out) {
    *out << c.name;
}

const UnusualFileCase kUnusualFiles[] = {
    {"ReadingStopsAtAHeaderWithASpace",
     "\xEF\xBB\xBF[Engine]\r\nPerformancePlatform=1\r\n[Key Bindings]\r\nGI_Jump=IK_Space\r\n"
     "[Viewport]\r\nWidth=800\r\n",
     {{"Engine", {{"PerformancePlatform", {"1"}}}}},
     true},
    {"BigEndianMarkReadsAsEmpty",
     "\xFE\xFF" + Utf16Bytes(u"[Engine]\r\nPerformancePlatform=3\r\n", true),
     {},
     true},
    {"LittleEndianUtf16",
     "\xFF\xFE" +
         Utf16Bytes(u"[Engine]\r\nPerformancePlatform=3\r\n[Player]\r\nName=\u00C5sa\r\n", false),
     {{"Engine", {{"PerformancePlatform", {"3"}}}}, {"Player", {{"Name", {"\xC3\x85sa"}}}}},
     false},
};

class UnusualUserFileTest : public ConfiguratorTest,
                            public ::testing::WithParamInterface<UnusualFileCase> {};

} // namespace

// OK rewrites the user file in UTF-8 from what was read; when reading could not take the whole
// file, the original bytes are kept beside it as User.ini.bak instead of being lost.
TEST_P(UnusualUserFileTest, OkRewritesWhatWasReadAndKeepsTheRest) {
    const UnusualFileCase& c = GetParam();
    WriteUserIni(c.bytes);
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    const ProfileFiles profiles(Paths().ProfilesDir());
    ExpectUserIni(UserIniBytes(), FormatIniBytes(ExpectedUserFile(
                                      c.read, ChoicesAtStart(c.read, profiles), profiles)));
    const auto backup = ReadFileBytes(Paths().UserIni() + L".bak");
    if (c.keptAside)
        EXPECT_EQ(backup, c.bytes);
    else
        EXPECT_EQ(backup, std::nullopt);
    EXPECT_EQ(SnapshotFolder(Paths().ConfigDir()).size(), c.keptAside ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Encodings, UnusualUserFileTest, ::testing::ValuesIn(kUnusualFiles),
                         [](const auto& info) { return std::string(info.param.name); });
