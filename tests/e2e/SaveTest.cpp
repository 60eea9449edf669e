// OK writes the player's choices into User.ini and the player's registry key; Cancel and
// Close write nothing.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "Files.h"
#include "GameData.h"
#include "Registry.h"
#include "SaveExpectations.h"
#include "WideText.h"

// A hand-written file with comments, stray text, unsorted and repeated sections and keys, a
// repeated key and a non-ASCII value comes back sorted, merged, with CR LF and the UTF-8 mark;
// unknown sections and every value of a repeated key survive. The resolution list holds every
// distinct display size once, in the system's order, and selects the stored size.
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
    const std::vector<DisplayMode> listed = ListedDisplayModes();
    ASSERT_FALSE(listed.empty());
    std::vector<std::wstring> entries;
    for (const auto& mode : listed)
        entries.push_back(mode.Text());
    const int selected =
        ExpectedResolutionIndex(listed, {{"Viewport", {{"Width", {"1024"}}, {"Height", {"768"}}}}});

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboEntries(ids::kResolutionList), entries);
    EXPECT_EQ(dialog->ComboSelection(ids::kResolutionList), selected);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));

    // HIGH from the sample's PCHigh; cube shadows from PCUber (_ShadowQuality 3), spot shadows
    // from PCMedium (_ShadowedLights 1), texture limits from PCHigh.
    ExpectUserIni("\xEF\xBB\xBF"
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
                  std::to_string(listed.at(selected).height) +
                  "\r\nWidth=" + std::to_string(listed.at(selected).width) + "\r\n\r\n");
    EXPECT_EQ(SnapshotFolder(Paths().ConfigDir()).size(), 1u) << "stray files beside User.ini";
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(L"EN"));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(L"EN"));
}

// Every choice of the main window reaches the file or the registry with OK; a chosen display
// mode is saved with its own size. Another text language re-captions the window at once, but
// the registry learns it only with OK.
TEST_F(ConfiguratorTest, OkSavesTheChosenEntries) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN", L"DE"}));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const int lastMode = dialog->ComboCount(ids::kResolutionList) - 1;
    ASSERT_GE(lastMode, 0);
    ASSERT_TRUE(dialog->Choose(ids::kKeyboardList, 2));
    ASSERT_TRUE(dialog->Choose(ids::kFullscreenList, 1));
    ASSERT_TRUE(dialog->Choose(ids::kResolutionList, lastMode));
    ASSERT_TRUE(dialog->Choose(ids::kVoiceLanguageList,
                               dialog->ComboIndexOf(ids::kVoiceLanguageList, L"DE")));
    ASSERT_TRUE(dialog->Choose(ids::kTextLanguageList,
                               dialog->ComboIndexOf(ids::kTextLanguageList, L"FR")));
    {
        const LanguageTexts texts(Paths().LangDir());
        ASSERT_NE(texts.Text(L"EN", "Text"), texts.Text(L"FR", "Text"));
        EXPECT_EQ(dialog->Caption(), texts.Text(L"FR", "Configurator"));
        EXPECT_EQ(dialog->Text(ids::kTextLabel), texts.Text(L"FR", "Text"));
        EXPECT_EQ(dialog->Text(ids::kOk), texts.Text(L"FR", "OK"));
        EXPECT_EQ(dialog->ComboSelectedText(ids::kPresetList), texts.Text(L"FR", "LOW"));
    }
    EXPECT_EQ(SnapshotGameKey(kPlayerKey), (std::map<std::wstring, RegistryValue>{}));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));

    const ProfileFiles profiles(Paths().ProfilesDir());
    DialogChoices choices = ChoicesAtStart({}, profiles);
    choices.keyboard = 2;
    choices.fullscreen = 1;
    choices.resolution = lastMode;
    ExpectUserIni(FormatIniBytes(ExpectedUserFile({}, choices, profiles)));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Language"), StringValue(L"FR"));
    EXPECT_EQ(ReadGameValue(kPlayerKey, L"Speech"), StringValue(L"DE"));
}

namespace {

enum class Leave { CancelButton, CloseMessage, CloseBox };

class LeaveWithoutSavingTest : public ConfiguratorTest,
                               public ::testing::WithParamInterface<Leave> {
protected:
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

// Cancel, WM_CLOSE and the close box after every choice was changed leave the player's files
// byte-identical, also a file that was not read whole (no rewrite, no backup); the player's
// key, missing for a player who never ran the tool, is created and stays empty.
TEST_P(LeaveWithoutSavingTest, WritesNothing) {
    WriteUserIni("[Engine]\nPerformancePlatform=1\n[Rendering]\nFullscreen=0\n"
                 "[Key Bindings]\r\nA=1\r\n");
    const auto files = SnapshotFolder(Paths().GameDocuments());
    const auto machine = SnapshotGameKey(kMachineKey32);
    ASSERT_FALSE(SnapshotGameKey(kPlayerKey));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(SnapshotGameKey(kPlayerKey), (std::map<std::wstring, RegistryValue>{}));
    ASSERT_TRUE(dialog->Choose(ids::kTextLanguageList,
                               dialog->ComboIndexOf(ids::kTextLanguageList, L"FR")));
    ASSERT_TRUE(dialog->Choose(ids::kVoiceLanguageList,
                               dialog->ComboIndexOf(ids::kVoiceLanguageList, L"DE")));
    ASSERT_TRUE(dialog->Choose(ids::kKeyboardList, 2));
    ASSERT_TRUE(dialog->Choose(ids::kFullscreenList, 1));
    ASSERT_TRUE(dialog->Choose(ids::kResolutionList, dialog->ComboCount(ids::kResolutionList) - 1));
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, 3));
    ASSERT_TRUE(dialog->Click(ids::kCustomCheck));
    ASSERT_TRUE(dialog->Choose(ids::RowCombo(0), 1));
    ASSERT_TRUE(LeaveDialog(*dialog));
    EXPECT_EQ(WaitForExit(), kNormalExitStatus);
    EXPECT_EQ(SnapshotFolder(Paths().GameDocuments()), files);
    EXPECT_EQ(SnapshotGameKey(kPlayerKey), (std::map<std::wstring, RegistryValue>{}));
    EXPECT_EQ(SnapshotGameKey(kMachineKey32), machine);
}

std::string WayName(const ::testing::TestParamInfo<Leave>& info) {
    const char* const names[] = {"CancelButton", "CloseMessage", "CloseBox"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Ways, LeaveWithoutSavingTest,
                         ::testing::Values(Leave::CancelButton, Leave::CloseMessage,
                                           Leave::CloseBox),
                         WayName);
