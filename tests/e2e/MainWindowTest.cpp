// The main window: lists, presets and rows in both layouts and all scales, Auto-detect, closing.

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

// Custom mode at HIGH, rows of no preset, and two tokens of no row (first entry shown, saved).
const char kCustomUserFile[] = "custom-User.ini";

} // namespace

// A hand-written file comes back sorted and merged; the resolution list holds each mode once;
// hidden rows follow language and preset; nothing is written before OK, which saves every choice.
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
    EXPECT_EQ(Main().SelectedText(IDC_PRESET_COMBO), L"Personnalis\u00E9e");
    EXPECT_EQ(GameKeyValues(Hive::Player), (RegistryValues{}));
    ExpectOkSaves("choices-User.ini");
    EXPECT_EQ(SnapshotFolder(P().Config()).size(), 1u) << "stray files beside User.ini";
    EXPECT_EQ(GameKeyValues(Hive::Player),
              (RegistryValues{{L"Language", StringValue(L"FR")}, {L"Speech", StringValue(L"DE")}}));
}

// Custom mode opens expanded; the Custom box only switches the layout; a preset ends custom mode,
// CUSTOM again resets the rows to the last preset's, and touching a row switches to CUSTOM.
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
    ExpectOkSaves("custom-low-User.ini");
}

// Cancel, WM_CLOSE and the close box after every choice leave files and registry untouched.
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

// Auto-detect selects the machine's preset (never ULTRA), or on failure changes nothing but one
// line on standard error; the Custom box then still answers (the device's focus window was ours).
class AutoDetectTest : public ConfiguratorTest, public ::testing::WithParamInterface<bool> {};

TEST_P(AutoDetectTest, SelectsAPresetOrChangesNothing) {
    ASSERT_TRUE(!GetParam() || DisableLibrary(L"d3d9"));
    WriteUserIni(Input(kCustomUserFile));
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(Main().Choose(RowCombo(0), 1));
    const std::string before = Main().Rows();
    ASSERT_TRUE(Main().Click(IDC_AUTODETECT, 60000));
    const int level = Main().Selection(IDC_PRESET_COMBO);
    // The summary is the button's tooltip: the machine's cores, and the class of the level.
    const auto [tools, summary] = ToolTip(Main().Handle(), Main().Item(IDC_AUTODETECT));
    if (GetParam()) {
        EXPECT_EQ(StandardError(), "Direct3DCreate9 failed.");
        EXPECT_EQ(level, 4);
        EXPECT_EQ(Main().Rows(), before);
        EXPECT_EQ(tools, 0) << "a summary of a survey that failed";
    } else {
        EXPECT_EQ(StandardError(), "");
        EXPECT_EQ(Main().Count(IDC_PRESET_COMBO), 4);
        ASSERT_TRUE(level >= 0 && level <= 2) << level;
        EXPECT_EQ(Main().Rows(), kPresetRows[level]);
        SYSTEM_INFO system{};
        GetNativeSystemInfo(&system);
        const wchar_t* classes[] = {L"Entry-level PC", L"Mid-range PC", L"High-end PC"};
        ASSERT_EQ(tools, 1) << "no summary, or more tools than the button";
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

// Moved to a 150 % monitor, the window takes the suggested size and what the program places
// follows (Wine, unlike Windows, leaves the template's controls); OK saves the bytes of 96 DPI.
TEST_F(ConfiguratorTest, MovedToAnotherScale) {
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK));
    const RECT now = Main().Rect();
    const RECT suggested{now.left, now.top, now.left + 924, now.top + 927};
    // In the program's memory, as the system's suggestion would be.
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, Main().Pid());
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_TRUE(remote &&
                WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr));
    CloseHandle(process);
    ASSERT_TRUE(Main().Post(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(remote)));
    ASSERT_TRUE(PollFor([&] { return Main().ControlRect(RowLabel(19)).top == 771; }));
    Window::Send(Main().Handle(), WM_NULL); // answered once the whole move is arranged
    EXPECT_EQ(LayoutFaults(Main().Handle()), "");
    const RECT shown = Main().Rect();
    std::string placed = "window " + std::to_string(shown.right - shown.left) + "x" +
                         std::to_string(shown.bottom - shown.top) + "\n";
    const auto place = [&](int id, bool width) {
        const RECT rect = Main().ControlRect(id);
        placed += std::to_string(id) + " (" + std::to_string(rect.left) + "," +
                  std::to_string(rect.top) + ")" +
                  (width ? " " + std::to_string(rect.right - rect.left) + " wide" : "") + "\n";
    };
    for (const int id : {IDOK, IDCANCEL, IDC_AUTODETECT, IDC_INPUT_SETTINGS})
        place(id, false);
    for (int i = 0; i < kRowCount; ++i) {
        place(RowLabel(i), true);
        place(RowCombo(i), true);
    }
    ExpectGolden("expanded-moved-to-144.txt", placed);
    ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK));
    ExpectOkSaves("ok-at-start-User.ini");
}

// Every language at every scale keeps the layout rules in the main window, the editor and the
// save warning, and OK saves the bytes of 96 DPI. At 150 and 200 % (EN goldens) what the program
// places itself is its 96-DPI value scaled, while the template's controls grow with the font.
class ScaleTest : public EditorTest,
                  public ::testing::WithParamInterface<std::tuple<const wchar_t*, int>> {};

TEST_P(ScaleTest, LayoutRulesHoldAndProgramPixelsScale) {
    const auto [language, dpi] = GetParam();
    const bool golden = dpi != 96 && language == std::wstring(L"EN");
    ASSERT_TRUE(SetDpi(dpi) && SetGameString(Hive::Machine32, L"Language", language));
    WriteUserIni("[Input]\r\nKeyboardLayout=QWERTY\r\n"); // to be held open below
    ASSERT_TRUE(Launch());
    for (const std::string layout : {"compact-", "expanded-"}) {
        ExpectWindow(golden ? layout + std::to_string(dpi) + ".txt" : "", Main().Handle());
        ASSERT_TRUE(Main().Click(IDC_CUSTOM_CHECK));
    }
    ASSERT_TRUE(ReopenEditor(kQwerty));
    EXPECT_EQ(LayoutFaults(Ed().Handle()), "");
    ASSERT_TRUE(Ed().SelectTab(1));
    EXPECT_EQ(LayoutFaults(Ed().Handle()), "");
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    const HANDLE lock = HoldUserIni();
    ASSERT_TRUE(Main().PostClick(IDOK));
    EXPECT_TRUE(Main().AnswerBox(IDOK)) << "no warning"; // which checks its layout
    CloseHandle(lock);
    ExpectOkSaves("ok-at-start-User.ini");
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndScales, ScaleTest,
                         ::testing::Combine(::testing::Values(L"EN", L"FR", L"DE"),
                                            ::testing::Values(96, 144, 192)),
                         [](const auto& info) {
                             return Utf8(std::get<0>(info.param)) +
                                    std::to_string(std::get<1>(info.param));
                         });
