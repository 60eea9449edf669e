// The main window: its lists, the graphics preset and the twenty rendering rows in both
// layouts and at every display scale, Auto-detect, and what OK, Cancel and Close write.

#include "Fixture.h"

namespace {

// What each preset's profile selects in the rows.
const std::string kPresetRows[] = {
    "2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0", "1 1 1 1 1 1 0 1 1 0 1 1 0 0 0 1 1 0 0 1",
    "0 3 2 2 3 1 1 1 1 1 1 1 1 1 0 1 0 0 1 2", "0 4 3 3 4 1 1 1 1 1 1 1 1 1 1 1 0 1 1 2"};

bool PanelShown(const Window& window, bool shown) {
    for (int i = 0; i < kRowCount; ++i)
        if (window.IsShown(RowCombo(i)) != shown || window.IsShown(RowLabel(i)) != shown)
            return false;
    return window.IsShown(IDC_PICTURE) == shown;
}

// Custom mode at HIGH with rows of no preset; "250" and "1" are no row's tokens, so those rows
// show, and save, their first entry.
const char kCustomUserFile[] = "custom-User.ini";

} // namespace

// A hand-written file (comments, stray text, unsorted and repeated sections, a repeated key, a
// non-ASCII value) comes back sorted and merged, with CR LF and the UTF-8 mark, unknown
// sections and every value of a repeated key kept; its shadow keys name the profiles of the
// derived values. The resolution list holds each size of the system's modes once, in its
// order. Every choice changes only the window until OK: the rows exist from the start, hidden,
// and follow a text language change (everything re-captioned at once) and a preset; a hidden
// row touched by message switches to CUSTOM. OK saves every choice and both languages.
TEST_F(ConfiguratorTest, ChoicesReachTheFilesOnlyWithOk) {
    ASSERT_TRUE(SetLanguageFiles({L"EN", L"FR"}, {L"EN", L"DE"}));
    WriteUserIni(Input("hand-written-User.ini"));
    std::vector<std::wstring> sizes;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i) {
        const std::wstring size =
            std::to_wstring(mode.dmPelsWidth) + L" x " + std::to_wstring(mode.dmPelsHeight);
        if (std::ranges::count(sizes, size) == 0)
            sizes.push_back(size);
    }
    ASSERT_TRUE(Launch());
    EXPECT_EQ(Main().Entries(IDC_RESOLUTION_COMBO), sizes);
    EXPECT_EQ(Main().SelectedText(IDC_RESOLUTION_COMBO), L"1024 x 768");
    ExpectWindow("compact-EN.txt", Main().Handle());
    ASSERT_TRUE(Main().Choose(IDC_KEYBOARD_COMBO, kQwertz));
    ASSERT_TRUE(Main().Choose(IDC_FULLSCREEN_COMBO, 0));
    ASSERT_TRUE(Main().ChooseText(IDC_RESOLUTION_COMBO, L"800 x 600"));
    ASSERT_TRUE(Main().ChooseText(IDC_VOICE_COMBO, L"DE"));
    ASSERT_TRUE(Main().ChooseText(IDC_TEXT_COMBO, L"FR"));
    ExpectWindow("compact-FR.txt", Main().Handle());
    ASSERT_TRUE(Main().Choose(IDC_PRESET_COMBO, 3));
    EXPECT_EQ(Main().Rows(), kPresetRows[3]);
    ASSERT_TRUE(Main().Choose(RowCombo(17), 0)); // UberSampling disabled, hidden
    EXPECT_EQ(Main().Count(IDC_PRESET_COMBO), 5);
    EXPECT_EQ(Utf8(Main().SelectedText(IDC_PRESET_COMBO)), "Personnalis\xC3\xA9"
                                                           "e");
    EXPECT_EQ(GameKeyValues(Hive::Player), (RegistryValues{}));
    ASSERT_TRUE(PressAndWaitForExit(IDOK));
    ExpectUserIniGolden("choices-User.ini");
    EXPECT_EQ(SnapshotFolder(P().Config()).size(), 1u) << "stray files beside User.ini";
    EXPECT_EQ(GameKeyValues(Hive::Player),
              (RegistryValues{{L"Language", StringValue(L"FR")}, {L"Speech", StringValue(L"DE")}}));
}

// Custom mode stored: the window opens expanded on the user file's rows with CUSTOM selected.
// The Custom box only switches the layout; a preset sets every row to its profile and ends
// custom mode; CUSTOM chosen again resets the rows to the last preset's and stays; any
// notification of a row, focus included, switches to CUSTOM; another language keeps every
// selection. OK saves the last preset's rows.
TEST_F(ConfiguratorTest, PresetsCustomModeAndTheLayouts) {
    ASSERT_TRUE(SetLanguageFiles({L"EN", L"FR"}, {L"EN"}));
    WriteUserIni(Input(kCustomUserFile));
    ASSERT_TRUE(Launch());
    ExpectWindow("expanded-EN.txt", Main().Handle());
    const std::string stored = Main().Rows();
    const RECT expanded = Main().Rect();
    ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK));
    EXPECT_TRUE(PanelShown(Main(), false));
    EXPECT_LT(Main().Rect().bottom - Main().Rect().top, expanded.bottom - expanded.top);
    EXPECT_EQ(Main().Selection(IDC_PRESET_COMBO), 4);
    EXPECT_EQ(Main().Rows(), stored);
    ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK));
    EXPECT_TRUE(PanelShown(Main(), true));

    for (const int level : {3, 0, 1, 2}) {
        ASSERT_TRUE(Main().Choose(IDC_PRESET_COMBO, level));
        EXPECT_EQ(Main().Count(IDC_PRESET_COMBO), 4);
        EXPECT_EQ(Main().Rows(), kPresetRows[level]) << level;
    }
    ASSERT_TRUE(Main().Choose(RowCombo(0), 2));
    ASSERT_TRUE(Main().Choose(IDC_PRESET_COMBO, 4));
    EXPECT_EQ(Main().Selection(IDC_PRESET_COMBO), 4);
    EXPECT_EQ(Main().Rows(), kPresetRows[2]);
    ASSERT_TRUE(Main().Choose(IDC_PRESET_COMBO, 0));
    ASSERT_TRUE(Main().Notify(RowCombo(5), CBN_SETFOCUS));
    EXPECT_EQ(Main().Count(IDC_PRESET_COMBO), 5);
    ASSERT_TRUE(Main().ChooseText(IDC_TEXT_COMBO, L"FR"));
    EXPECT_EQ(Main().Selection(IDC_PRESET_COMBO), 4);
    EXPECT_EQ(Main().Rows(), kPresetRows[0]);
    EXPECT_EQ(Utf8(Main().SelectedText(RowCombo(0))), "Forte");
    ASSERT_TRUE(PressAndWaitForExit(IDOK));
    ExpectUserIniGolden("custom-low-User.ini");
}

// Cancel, WM_CLOSE and the close box after every choice was changed leave the player's files
// byte-identical; the player's key, created at start, stays empty.
TEST_F(ConfiguratorTest, LeavingWithoutOkWritesNothing) {
    WriteUserIni("[Engine]\nPerformancePlatform=1\n[Key Bindings]\r\nA=1\r\n");
    const auto files = SnapshotFolder(P().Game());
    const auto machine = GameKeyValues(Hive::Machine32);
    for (const UINT way : {0u, static_cast<UINT>(WM_CLOSE), static_cast<UINT>(WM_SYSCOMMAND)}) {
        ASSERT_TRUE(Launch());
        ASSERT_TRUE(Main().ChooseText(IDC_TEXT_COMBO, L"FR"));
        ASSERT_TRUE(Main().ChooseText(IDC_VOICE_COMBO, L"DE"));
        ASSERT_TRUE(Main().Choose(IDC_KEYBOARD_COMBO, kQwertz));
        ASSERT_TRUE(Main().Choose(IDC_FULLSCREEN_COMBO, 1));
        ASSERT_TRUE(Main().Choose(IDC_PRESET_COMBO, 3));
        ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK));
        ASSERT_TRUE(Main().Choose(RowCombo(0), 1));
        ASSERT_TRUE(way ? Main().Post(way, way == WM_SYSCOMMAND ? SC_CLOSE : 0)
                        : Main().PostClick(IDCANCEL));
        EXPECT_EQ(WaitForExit(), 0u) << way;
        EXPECT_EQ(SnapshotFolder(P().Game()), files) << way;
        EXPECT_EQ(GameKeyValues(Hive::Player), (RegistryValues{})) << way;
        EXPECT_EQ(GameKeyValues(Hive::Machine32), machine);
    }
}

// Auto-detect either selects the preset the machine classifies to (never ULTRA), custom mode
// off and the rows from its profile, or, when the survey fails (here: Direct3D 9 cannot be
// loaded), changes nothing and leaves its failure line on standard error, the only thing it
// writes there. Afterwards the Custom box still switches the layout at once: the survey's
// Direct3D device had the window as its focus window.
class AutoDetectTest : public ConfiguratorTest, public ::testing::WithParamInterface<bool> {};

TEST_P(AutoDetectTest, SelectsAPresetOrChangesNothing) {
    ASSERT_TRUE(!GetParam() || DisableLibrary(L"d3d9"));
    WriteUserIni(Input(kCustomUserFile));
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(Main().Choose(RowCombo(0), 1));
    const std::string before = Main().Rows();
    ASSERT_TRUE(Main().Click(IDC_AUTODETECT, 60000));
    const int level = Main().Selection(IDC_PRESET_COMBO);
    const auto tips = ToolTips(Main().Handle());
    if (GetParam()) {
        EXPECT_EQ(StandardError(), "Direct3DCreate9 failed.");
        EXPECT_EQ(level, 4);
        EXPECT_EQ(Main().Rows(), before);
        EXPECT_TRUE(tips.empty()) << "a summary of a survey that failed";
    } else {
        EXPECT_EQ(StandardError(), "");
        EXPECT_EQ(Main().Count(IDC_PRESET_COMBO), 4);
        ASSERT_TRUE(level >= 0 && level <= 2) << level;
        EXPECT_EQ(Main().Rows(), kPresetRows[level]);
        // The summary is the button's tooltip: the machine's cores, and the class of the level.
        SYSTEM_INFO system{};
        GetNativeSystemInfo(&system);
        const wchar_t* classes[] = {L"Entry-level PC", L"Mid-range PC", L"High-end PC"};
        ASSERT_EQ(tips.size(), 1u) << "no summary";
        const auto& [tool, summary] = *tips.begin();
        EXPECT_EQ(tool, Main().Item(IDC_AUTODETECT));
        EXPECT_TRUE(summary.starts_with(L"Configuration summary:\nNumber of cores: " +
                                        std::to_wstring(system.dwNumberOfProcessors) + L",\n") &&
                    summary.ends_with(std::wstring(L"\nYour configuration capabilities: ") +
                                      classes[level]))
            << Utf8(summary);
    }
    for (const bool checked : {false, true}) {
        ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK, 1000)) << "the window stopped answering";
        EXPECT_EQ(Main().IsChecked(IDC_CUSTOM_CHECK), checked);
        EXPECT_TRUE(PanelShown(Main(), checked));
    }
    ASSERT_TRUE(PressAndWaitForExit(IDOK));
}

INSTANTIATE_TEST_SUITE_P(Survey, AutoDetectTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "WithoutDirect3D" : "Real");
});

// At 150 and 200 % every pixel value the program places itself (rows, buttons, the expanded
// size) is its 96-DPI value scaled, while the template's controls grow with the dialog's font;
// the layout rules hold and OK saves the bytes of 96 DPI. Moved to a monitor of another scale, the
// system sends the new DPI and a suggested rectangle (in the program's memory, as the system's
// would be): the window takes the new size in place, and the rows and the buttons follow.
class ScaleTest : public ConfiguratorTest, public ::testing::WithParamInterface<int> {};

// After a move Wine's dialog manager, unlike Windows' for a per-monitor dialog, leaves the
// template's controls and font at the old scale, so only what the program places itself is
// asserted: the window's size, where the buttons stand, and where and how wide the rows are
// (a list's height follows its font).
std::string PlacedByProgram(const Window& window) {
    const RECT shown = window.Rect();
    std::string text = "window " + std::to_string(shown.right - shown.left) + "x" +
                       std::to_string(shown.bottom - shown.top) + "\n";
    const auto place = [&](int id, bool width) {
        const RECT rect = window.ControlRect(id);
        text += std::to_string(id) + " (" + std::to_string(rect.left) + "," +
                std::to_string(rect.top) + ")" +
                (width ? " " + std::to_string(rect.right - rect.left) + " wide" : "") + "\n";
    };
    for (const int id : {IDOK, IDCANCEL, IDC_AUTODETECT, IDC_INPUT_SETTINGS})
        place(id, false);
    for (int i = 0; i < kRowCount; ++i) {
        place(RowLabel(i), true);
        place(RowCombo(i), true);
    }
    return text;
}

TEST_P(ScaleTest, ProgramPixelsFollowTheScale) {
    const int dpi = GetParam();
    ASSERT_TRUE(SetDpi(dpi));
    ASSERT_TRUE(Launch());
    if (dpi != 96)
        ExpectWindow("compact-" + std::to_string(dpi) + ".txt", Main().Handle());
    ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK));
    if (dpi == 96) { // a move to a monitor of 150 %
        const RECT now = Main().Rect();
        const RECT suggested{now.left, now.top, now.left + 924, now.top + 927};
        const HANDLE process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, Main().Pid());
        void* remote =
            VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
        ASSERT_TRUE(remote &&
                    WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr));
        CloseHandle(process);
        ASSERT_TRUE(
            Main().Post(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(remote)));
        ASSERT_TRUE(PollFor([&] { return Main().ControlRect(RowLabel(19)).top == 771; }));
        Window::Send(Main().Handle(), WM_NULL); // answered once the whole move is arranged
        EXPECT_EQ(LayoutFaults(Main().Handle()), "");
        ExpectGolden("expanded-moved-to-144.txt", PlacedByProgram(Main()));
    } else {
        ExpectWindow("expanded-" + std::to_string(dpi) + ".txt", Main().Handle());
    }
    ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK));
    ASSERT_TRUE(PressAndWaitForExit(IDOK));
    ExpectUserIniGolden("ok-at-start-User.ini");
}

INSTANTIATE_TEST_SUITE_P(Dpi, ScaleTest, ::testing::Values(96, 144, 192),
                         [](const auto& info) { return "Dpi" + std::to_string(info.param); });

// Every language of the installation at every scale keeps the layout rules in both pages of
// the input editor, both layouts of the main window and the warning of a failed save.
class LayoutTest : public EditorTest,
                   public ::testing::WithParamInterface<std::tuple<const wchar_t*, int>> {};

TEST_P(LayoutTest, RulesHoldInEveryWindow) {
    const auto [language, dpi] = GetParam();
    ASSERT_TRUE(SetDpi(dpi) && SetGameString(Hive::Machine32, L"Language", language));
    WriteUserIni("[Input]\r\nKeyboardLayout=QWERTY\r\n");
    ASSERT_TRUE(OpenEditor(kQwerty));
    EXPECT_EQ(LayoutFaults(Ed().Handle()), "");
    ASSERT_TRUE(Ed().SelectTab(1));
    EXPECT_EQ(LayoutFaults(Ed().Handle()), "");
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    EXPECT_EQ(LayoutFaults(Main().Handle()), "");
    ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK));
    EXPECT_EQ(LayoutFaults(Main().Handle()), "");
    const HANDLE lock = HoldUserIni();
    ASSERT_TRUE(Main().PostClick(IDOK));
    EXPECT_TRUE(Main().AnswerBox(IDOK)) << "no warning"; // which checks its layout
    CloseHandle(lock);
    PressAndWaitForExit(IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndScales, LayoutTest,
                         ::testing::Combine(::testing::Values(L"EN", L"FR", L"DE"),
                                            ::testing::Values(96, 144, 192)),
                         [](const auto& info) {
                             return Utf8(std::get<0>(info.param)) +
                                    std::to_string(std::get<1>(info.param));
                         });
