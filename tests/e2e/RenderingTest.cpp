// The graphics preset, the panel of twenty rendering rows and what OK saves for them.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "GameData.h"
#include "Registry.h"
#include "SaveExpectations.h"
#include "WideText.h"

#include <vector>

namespace {

constexpr int kCustomEntry = 4;

RowSelection ShownRows(const DialogDriver& dialog) {
    RowSelection rows{};
    for (int i = 0; i < kRowCount; ++i)
        rows[i] = dialog.ComboSelection(ids::RowCombo(i));
    return rows;
}

bool PanelShown(const DialogDriver& dialog) {
    for (int i = 0; i < kRowCount; ++i) {
        if (!dialog.IsShown(ids::RowCombo(i)) || !dialog.IsShown(ids::RowLabel(i)))
            return false;
    }
    return dialog.IsShown(ids::kPicture);
}

bool PanelHidden(const DialogDriver& dialog) {
    for (int i = 0; i < kRowCount; ++i) {
        if (dialog.IsShown(ids::RowCombo(i)) || dialog.IsShown(ids::RowLabel(i)))
            return false;
    }
    return !dialog.IsShown(ids::kPicture);
}

// The Custom box opens the panel; its controls exist from then on.
bool OpenPanel(DialogDriver& dialog) {
    return dialog.Click(ids::kCustomCheck) && PanelShown(dialog);
}

// A user file in custom mode at HIGH whose rows are not any preset's, with two tokens that no
// row offers (they show, and save, as the row's first entry).
const IniModel kCustomUserFile = {
    {"Engine", {{"PerformancePlatform", {"2"}}, {"CustomRenderingSettings", {"1"}}}},
    {"Rendering",
     {{"TextureDownscale", {"2"}},
      {"TextureMemoryBudget", {"250"}},
      {"ShadowQuality", {"3"}},
      {"MeshDistanceScale", {"1"}},
      {"AllowBloom", {"1"}},
      {"AllowSSAO", {"1"}},
      {"UberSampling", {"2"}},
      {"AllowDecals", {"0.5"}},
      {"Fullscreen", {"1"}}}},
};

class RenderingTest : public ConfiguratorTest {
protected:
    // OK, then the user file must be what these choices give from before.
    void ExpectSavedWithOk(DialogDriver& dialog, const IniModel& before,
                           const DialogChoices& choices) {
        ASSERT_TRUE(PressAndWaitForExit(dialog, ids::kOk));
        const ProfileFiles profiles(Paths().ProfilesDir());
        const std::string expected = FormatIniBytes(ExpectedUserFile(before, choices, profiles));
        const auto written = UserIniBytes();
        ASSERT_TRUE(written);
        EXPECT_EQ(*written, expected) << "written:\n"
                                      << ShowLineEnds(*written) << "\nexpected:\n"
                                      << ShowLineEnds(expected);
    }
};

class PresetTest : public RenderingTest, public ::testing::WithParamInterface<int> {};

} // namespace

// Choosing a preset sets every row to its profile's value, whether or not the panel was ever
// opened; OK saves the level, custom mode off, the rows and the derived keys.
TEST_P(PresetTest, ChoosingAPresetAppliesAndSavesItsProfile) {
    const int level = GetParam();
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, level));
    const ProfileFiles profiles(Paths().ProfilesDir());
    EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 4);
    EXPECT_EQ(dialog->ComboSelection(ids::kPresetList), level);

    DialogChoices choices = ChoicesAtStart({}, profiles);
    choices.level = level;
    choices.rows = PresetSelection(profiles, level);
    ExpectSavedWithOk(*dialog, {}, choices);
}

INSTANTIATE_TEST_SUITE_P(Levels, PresetTest, ::testing::Values(0, 1, 2, 3),
                         [](const auto& info) { return ProfileName(info.param); });

// The stored "PerformancePlatform" picks the preset at start: out of range gives HIGH, no
// number gives LOW; the rows show that preset's profile.
TEST_F(RenderingTest, StoredPresetAtStart) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"3", 3}, {"7", 2}, {"-1", 2}, {"abc", 0}};
    const ProfileFiles profiles(Paths().ProfilesDir());
    for (const auto& [stored, level] : cases) {
        SCOPED_TRACE(stored);
        const IniModel userFile = {{"Engine", {{"PerformancePlatform", {stored}}}}};
        WriteUserIni(FormatIniBytes(userFile));
        auto dialog = Launch();
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->ComboSelection(ids::kPresetList), level);
        EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 4);
        EXPECT_FALSE(dialog->IsChecked(ids::kCustomCheck));
        EXPECT_TRUE(PanelHidden(*dialog));
        ASSERT_TRUE(OpenPanel(*dialog));
        EXPECT_EQ(ShownRows(*dialog), PresetSelection(profiles, level));
        ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
    }
}

// Any notification from a row, even gaining the focus, switches the preset list to CUSTOM;
// OK then saves custom mode with the rows as shown, the level last chosen, and the
// enabled UberSampling as "2" and medium decals as "0.5".
TEST_F(RenderingTest, TouchingARowSwitchesToCustom) {
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const ProfileFiles profiles(Paths().ProfilesDir());
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, 2));
    ASSERT_TRUE(OpenPanel(*dialog));
    EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 4); // opening the panel is not custom mode
    ASSERT_TRUE(dialog->Notify(ids::RowCombo(5), CBN_SETFOCUS));
    const LanguageTexts texts(Paths().LangDir());
    EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 5);
    EXPECT_EQ(dialog->ComboSelection(ids::kPresetList), kCustomEntry);
    EXPECT_EQ(dialog->ComboSelectedText(ids::kPresetList), texts.Text(L"EN", "CUSTOM"));
    EXPECT_EQ(ShownRows(*dialog), PresetSelection(profiles, 2));

    ASSERT_TRUE(dialog->Choose(ids::RowCombo(17), 1)); // UberSampling enabled
    ASSERT_TRUE(dialog->Choose(ids::RowCombo(19), 1)); // AllowDecals MEDIUM
    EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 5);

    DialogChoices choices = ChoicesAtStart({}, profiles);
    choices.level = 2;
    choices.custom = true;
    choices.rows = PresetSelection(profiles, 2);
    choices.rows[17] = 1;
    choices.rows[19] = 1;
    ExpectSavedWithOk(*dialog, {}, choices);
}

// Choosing a preset after custom changes removes CUSTOM and resets every row to the profile;
// choosing CUSTOM again keeps custom mode and resets the rows to the last preset's profile.
TEST_F(RenderingTest, ChoosingPresetOrCustomResetsTheRows) {
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const ProfileFiles profiles(Paths().ProfilesDir());
    ASSERT_TRUE(OpenPanel(*dialog));
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, 3));
    ASSERT_TRUE(dialog->Choose(ids::RowCombo(0), 2));
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, kCustomEntry));
    EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 5);
    EXPECT_EQ(dialog->ComboSelection(ids::kPresetList), kCustomEntry);
    EXPECT_EQ(ShownRows(*dialog), PresetSelection(profiles, 3));

    ASSERT_TRUE(dialog->Choose(ids::RowCombo(1), 0));
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, 1));
    EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 4);
    EXPECT_EQ(dialog->ComboSelection(ids::kPresetList), 1);
    EXPECT_EQ(ShownRows(*dialog), PresetSelection(profiles, 1));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}

// With Custom stored on, the window opens expanded, the rows keep the user file's values
// (unknown tokens as the first entry) and OK saves them in custom mode.
TEST_F(RenderingTest, CustomAtStartKeepsTheUserRows) {
    WriteUserIni(FormatIniBytes(kCustomUserFile));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->IsChecked(ids::kCustomCheck));
    EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 5);
    EXPECT_EQ(dialog->ComboSelection(ids::kPresetList), kCustomEntry);
    EXPECT_TRUE(PanelShown(*dialog));
    const RECT rect = dialog->WindowRect();
    EXPECT_EQ(rect.right - rect.left, 616);
    EXPECT_EQ(rect.bottom - rect.top, 618);
    EXPECT_EQ(ShownRows(*dialog), StoredSelection(kCustomUserFile));

    const ProfileFiles profiles(Paths().ProfilesDir());
    ExpectSavedWithOk(*dialog, kCustomUserFile, ChoicesAtStart(kCustomUserFile, profiles));
}

// The Custom box only switches the layout: unchecked, the panel hides and the window shrinks,
// but custom mode and the rows stay and are saved; checked again, the panel returns.
TEST_F(RenderingTest, CustomBoxOnlySwitchesTheLayout) {
    WriteUserIni(FormatIniBytes(kCustomUserFile));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const RECT expanded = dialog->WindowRect();

    ASSERT_TRUE(dialog->Click(ids::kCustomCheck));
    EXPECT_FALSE(dialog->IsChecked(ids::kCustomCheck));
    EXPECT_TRUE(PanelHidden(*dialog));
    const RECT compact = dialog->WindowRect();
    EXPECT_LT(compact.right - compact.left, expanded.right - expanded.left);
    EXPECT_LT(compact.bottom - compact.top, expanded.bottom - expanded.top);
    EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 5);
    EXPECT_EQ(dialog->ComboSelection(ids::kPresetList), kCustomEntry);

    ASSERT_TRUE(dialog->Click(ids::kCustomCheck));
    EXPECT_TRUE(PanelShown(*dialog));
    ASSERT_TRUE(dialog->Click(ids::kCustomCheck));

    const ProfileFiles profiles(Paths().ProfilesDir());
    ExpectSavedWithOk(*dialog, kCustomUserFile, ChoicesAtStart(kCustomUserFile, profiles));
}

// Changing the text language re-captions the preset list and every row but keeps every
// selection.
TEST_F(RenderingTest, TextLanguageSwitchKeepsEverySelection) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN"}));
    WriteUserIni(FormatIniBytes(kCustomUserFile));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const RowSelection rows = ShownRows(*dialog);
    ASSERT_TRUE(dialog->Choose(ids::kTextLanguageList,
                               dialog->ComboIndexOf(ids::kTextLanguageList, L"FR")));

    const LanguageTexts texts(Paths().LangDir());
    EXPECT_EQ(ShownRows(*dialog), rows);
    EXPECT_EQ(dialog->ComboSelection(ids::kPresetList), kCustomEntry);
    EXPECT_EQ(dialog->ComboSelectedText(ids::kPresetList), texts.Text(L"FR", "CUSTOM"));
    EXPECT_EQ(dialog->ComboSelection(ids::kFullscreenList), 1);
    EXPECT_EQ(dialog->ComboSelectedText(ids::kFullscreenList), texts.Text(L"FR", "Enabled"));
    for (int i = 0; i < kRowCount; ++i) {
        const ExpectedRow& row = RenderingRows()[i];
        EXPECT_EQ(dialog->Text(ids::RowLabel(i)), texts.Text(L"FR", row.key));
        EXPECT_EQ(dialog->ComboSelectedText(ids::RowCombo(i)),
                  texts.Text(L"FR", row.labelKeys.at(rows[i])));
    }
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}

// The rows exist from the start, hidden in the compact layout, with their ids, styles,
// rectangles, the dialog's font, entries, selections and captions, and they follow a text
// language change and a preset choice while hidden. A hidden row touched by message turns the
// preset to CUSTOM, and OK saves what the rows hold.
TEST_F(RenderingTest, HiddenRowsFollowTheWindow) {
    ASSERT_TRUE(ReplaceLanguageDataFiles(Paths(), {L"EN", L"FR"}, {L"EN"}));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const auto tree = [&] { return WindowTree(dialog->Handle(), {ids::kResolutionList}); };
    ExpectGolden("compact-EN.txt", tree());
    ASSERT_TRUE(dialog->Choose(ids::kTextLanguageList,
                               dialog->ComboIndexOf(ids::kTextLanguageList, L"FR")));
    ExpectGolden("compact-FR.txt", tree());
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, 2));
    ExpectGolden("compact-FR-HIGH.txt", tree());
    ASSERT_TRUE(dialog->Choose(ids::RowCombo(17), 1)); // UberSampling enabled
    ExpectGolden("compact-FR-CUSTOM.txt", tree());
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    ExpectGolden("hidden-row-custom-User.ini", UserIniBytes().value_or("<no User.ini>"));
}

// Auto-detect either selects the preset that the machine classifies to (never ULTRA), with
// custom mode off and the rows from its profile, or, when the survey fails (here: Direct3D 9
// cannot be loaded), changes nothing and leaves the failure line on standard error, the only
// thing it writes there. Afterwards the Custom box still switches the layout at once: the
// survey's Direct3D device had the window as its focus window.
class AutoDetectTest : public RenderingTest, public ::testing::WithParamInterface<bool> {
protected:
    // Wine's own switch for a program's libraries: an empty override disables one.
    static constexpr wchar_t kOverrides[] =
        L"Software\\Wine\\AppDefaults\\Configurator.exe\\DllOverrides";

    void SetUp() override {
        RenderingTest::SetUp();
        HKEY key = nullptr;
        if (GetParam() && RegCreateKeyExW(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0,
                                          KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            RegSetValueExW(key, L"d3d9", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), 2);
            RegCloseKey(key);
        }
    }
    void TearDown() override {
        RenderingTest::TearDown();
        RegDeleteTreeW(HKEY_CURRENT_USER, kOverrides);
    }
};

TEST_P(AutoDetectTest, SelectsAPresetOrChangesNothing) {
    const bool withoutDirect3D = GetParam();
    IniModel userFile = kCustomUserFile;
    SetIniValue(userFile, "Engine", "PerformancePlatform", "3");
    WriteUserIni(FormatIniBytes(userFile));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->Choose(ids::RowCombo(0), 1));
    const RowSelection before = ShownRows(*dialog);
    ASSERT_TRUE(dialog->Click(ids::kAutoDetect, 60000));

    const ProfileFiles profiles(Paths().ProfilesDir());
    DialogChoices choices = ChoicesAtStart(userFile, profiles);
    choices.rows = before;
    if (withoutDirect3D) {
        EXPECT_EQ(StandardError(), "Direct3DCreate9 failed.");
        EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 5);
        EXPECT_EQ(dialog->ComboSelection(ids::kPresetList), kCustomEntry);
        EXPECT_EQ(ShownRows(*dialog), before);
    } else {
        EXPECT_EQ(StandardError(), "");
        const int level = dialog->ComboSelection(ids::kPresetList);
        EXPECT_EQ(dialog->ComboCount(ids::kPresetList), 4);
        EXPECT_GE(level, 0);
        EXPECT_LE(level, 2);
        EXPECT_EQ(ShownRows(*dialog), PresetSelection(profiles, level));
        choices.level = level;
        choices.custom = false;
        choices.rows = PresetSelection(profiles, level);
    }
    for (const bool checked : {false, true}) {
        ASSERT_TRUE(dialog->Click(ids::kCustomCheck, 1000)) << "the window stopped answering";
        EXPECT_EQ(dialog->IsChecked(ids::kCustomCheck), checked);
        EXPECT_EQ(checked ? PanelShown(*dialog) : PanelHidden(*dialog), true);
    }
    ExpectSavedWithOk(*dialog, userFile, choices);
}

INSTANTIATE_TEST_SUITE_P(Survey, AutoDetectTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "WithoutDirect3D" : "Real");
});

namespace {

struct DerivedCase {
    const char* name;
    IniModel userFile;
};

// Shadow limits come from the profile that the user file's own _ShadowQuality and
// _ShadowedLights name; numbers outside 0 to 3 leave the stored limits alone.
const DerivedCase kDerivedCases[] = {
    {"ShadowKeysMissing", {}},
    {"ShadowKeysNameProfiles",
     {{"Rendering", {{"_ShadowQuality", {"3"}}, {"_ShadowedLights", {"1"}}}}}},
    {"ShadowKeysOutOfRange",
     {{"Rendering",
       {{"_ShadowQuality", {"4"}},
        {"_ShadowedLights", {"-1"}},
        {"MaxCubeShadowSize", {"77"}},
        {"MaxCubeShadowCount", {"7"}},
        {"MaxSpotShadowSize", {"88"}},
        {"MaxSpotShadowCount", {"8"}}}}}},
    {"ShadowKeysNotNumbers",
     {{"Rendering", {{"_ShadowQuality", {"high"}}, {"_ShadowedLights", {" 2x"}}}}}},
};

class DerivedValuesTest : public RenderingTest,
                          public ::testing::WithParamInterface<DerivedCase> {};

void PrintTo(const DerivedCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

TEST_P(DerivedValuesTest, FollowTheUserFilesShadowKeys) {
    const IniModel& userFile = GetParam().userFile;
    WriteUserIni(FormatIniBytes(userFile));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->Choose(ids::kPresetList, 1));
    const ProfileFiles profiles(Paths().ProfilesDir());
    DialogChoices choices = ChoicesAtStart(userFile, profiles);
    choices.level = 1;
    choices.rows = PresetSelection(profiles, 1);
    ExpectSavedWithOk(*dialog, userFile, choices);
}

INSTANTIATE_TEST_SUITE_P(Shadows, DerivedValuesTest, ::testing::ValuesIn(kDerivedCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// The display scale as a player sets it under Wine; read by each program as it starts.
void SetLogPixels(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
    RegCloseKey(key);
}

int Width(const RECT& rect) {
    return rect.right - rect.left;
}
int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

class ScaleTest : public RenderingTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        RenderingTest::SetUp();
        SetLogPixels(GetParam());
    }
    void TearDown() override {
        RenderingTest::TearDown();
        SetLogPixels(96);
    }
    // A 96-DPI pixel value at the test's scale.
    int Px(int value) const { return MulDiv(value, GetParam(), 96); }
    void ExpectAt(const DialogDriver& dialog, int id, int x, int y) const {
        const RECT rect = dialog.ControlRect(id);
        EXPECT_NEAR(rect.left, x, 1) << "control " << id;
        EXPECT_NEAR(rect.top, y, 1) << "control " << id;
    }
};

} // namespace

// Every pixel value the program places itself is its 96-DPI value scaled, within a pixel,
// while the template's controls grow with the dialog's font; in neither layout does anything
// overlap or fall outside the window, and OK saves the same bytes as at 96 DPI.
TEST_P(ScaleTest, ProgramPixelsFollowTheScale) {
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ExpectAt(*dialog, ids::kOk, Px(10), Px(378));
    ExpectAt(*dialog, ids::kCancel, Px(97), Px(378));
    ExpectAt(*dialog, ids::kAutoDetect, Px(10), Px(314));
    ExpectAt(*dialog, ids::kInputSettings, Px(10), Px(346));
    EXPECT_LE(dialog->ControlRect(ids::kCustomCheck).bottom,
              dialog->ControlRect(ids::kAutoDetect).top);
    EXPECT_LE(dialog->ControlRect(ids::kOk).bottom, dialog->ClientRect().bottom);
    const RECT compact = dialog->WindowRect();

    ASSERT_TRUE(dialog->Click(ids::kCustomCheck));
    const RECT expanded = dialog->WindowRect();
    EXPECT_NEAR(Width(expanded), Px(616), 1);
    EXPECT_NEAR(Height(expanded), Px(618), 1);
    for (const int row : {0, kRowCount - 1}) {
        const RECT label = dialog->ControlRect(ids::RowLabel(row));
        EXPECT_NEAR(label.left, Px(270), 1);
        EXPECT_NEAR(label.top, Px(20 + 26 * row), 1);
        EXPECT_NEAR(label.right, Px(436), 1);
        EXPECT_NEAR(label.bottom, Px(36 + 26 * row), 1);
        const RECT combo = dialog->ControlRect(ids::RowCombo(row));
        EXPECT_NEAR(combo.left, Px(440), 1);
        EXPECT_NEAR(combo.top, Px(16 + 26 * row), 1);
        EXPECT_NEAR(combo.right, Px(600), 1);
    }
    const int y = Px(380) + Height(expanded) - Height(compact);
    ExpectAt(*dialog, ids::kOk, Px(10), y);
    ExpectAt(*dialog, ids::kAutoDetect, Px(97), y);
    ExpectAt(*dialog, ids::kInputSettings, Px(273), y);
    ExpectAt(*dialog, ids::kCancel, Px(449), y);
    EXPECT_GE(dialog->ControlRect(ids::RowLabel(0)).left,
              dialog->ControlRect(ids::kTextLanguageList).right);
    EXPECT_LE(dialog->ControlRect(ids::kPicture).bottom, y);
    EXPECT_LE(dialog->ControlRect(ids::RowCombo(kRowCount - 1)).bottom, y);
    EXPECT_LE(dialog->ControlRect(ids::kCancel).bottom, dialog->ClientRect().bottom);
    EXPECT_LE(dialog->ControlRect(ids::RowCombo(0)).right, dialog->ClientRect().right);

    ASSERT_TRUE(dialog->Click(ids::kCustomCheck));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    ExpectUserIni(ExpectedOkBytes({}));
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScaleTest, ::testing::Values(96, 144, 192),
                         [](const auto& info) { return "Dpi" + std::to_string(info.param); });

namespace {

// What the system sends a window moved to a monitor of another scale; the suggested rectangle
// lives in the program's memory, as the system's would.
bool PostDpiChange(const DialogDriver& dialog, UINT dpi, const RECT& suggested) {
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, dialog.Pid());
    if (!process)
        return false;
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    const bool posted =
        remote && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr) &&
        PostMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(remote));
    CloseHandle(process); // the rectangle stays for the program's lifetime
    return posted;
}

} // namespace

// Moved to a monitor of 150 %, the expanded window takes the new size in place, and the rows
// and the button row follow.
TEST_F(RenderingTest, FollowsAChangeOfScale) {
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const RECT compact = dialog->WindowRect();
    ASSERT_TRUE(dialog->Click(ids::kCustomCheck));
    const RECT before = dialog->WindowRect();
    const RECT suggested{before.left, before.top, before.left + 924, before.top + 927};
    ASSERT_TRUE(PostDpiChange(*dialog, 144, suggested));
    const bool resized = PollFor(
        [&] {
            const RECT now = dialog->WindowRect();
            return Width(now) == 924 && Height(now) == 927;
        },
        DialogDriver::kSendTimeoutMs);
    ASSERT_TRUE(resized);
    EXPECT_EQ(dialog->WindowRect().left, before.left);
    const RECT label = dialog->ControlRect(ids::RowLabel(kRowCount - 1));
    EXPECT_EQ(label.left, 405);
    EXPECT_EQ(label.top, 771);
    EXPECT_EQ(dialog->ControlRect(ids::RowCombo(kRowCount - 1)).left, 660);
    const int y = 570 + 927 - MulDiv(Height(compact), 144, 96);
    EXPECT_NEAR(dialog->ControlRect(ids::kCancel).left, 674, 1);
    EXPECT_NEAR(dialog->ControlRect(ids::kCancel).top, y, 1);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}
