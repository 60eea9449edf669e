// The input editor: pages, layouts, what it writes, and capture of real keys and clicks.

#include "Fixture.h"

#include <tlhelp32.h>

namespace {

// DirectInput scan codes of the keys the tests press.
constexpr BYTE kEscape = 0x01, kR = 0x13, kT = 0x14, kI = 0x17, kG = 0x22, kAzertyM = 0x27;

constexpr DWORD kIgnoredMs = 300; // many polls of a held key that must not be taken

const char kOnlyF13[] = "\xEF\xBB\xBF[InputQWERTY]\r\nIK_F13=(GameKey=\"GI_Block\",Value=1)\r\n";

bool Loaded(DWORD pid, const wchar_t* module) {
    const HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    BOOL more = Module32FirstW(modules, &entry);
    while (more && _wcsicmp(entry.szModule, module) != 0)
        more = Module32NextW(modules, &entry);
    CloseHandle(modules);
    return more;
}

class CaptureTest : public EditorTest {
protected:
    std::wstring Text(int editId) { return WindowText(Ed().Field(0, editId)); }

    // Double-clicks the keyboard field and holds the key until the field shows expected.
    bool Capture(int editId, BYTE scanCode, const wchar_t* expected) {
        Ed().DoubleClickField(0, editId);
        const bool shown = Ed().HoldKey(editId, scanCode, [&] { return Text(editId) == expected; });
        EXPECT_TRUE(shown) << "the field shows \"" << Utf8(Text(editId)) << "\"";
        return shown;
    }

    void CaptureToBox(int editId, BYTE scanCode, int buttonId, const char* text) {
        Ed().DoubleClickField(0, editId);
        Ed().HoldKey(editId, scanCode,
                     [&] { return FindMessageBox(Ed().Pid(), nullptr) != nullptr; });
        EXPECT_EQ(Ed().AnswerBox(buttonId, false), "Warning: " + std::string(text));
    }

    bool ClickAt(int editId, POINT at, DWORD down, const wchar_t* expected,
                 DWORD timeoutMs = kWaitMs) {
        return Ed().HoldButton(
            editId, at, down, [&] { return Text(editId) == expected; }, timeoutMs);
    }
};

const char kAlreadyBound[] =
    "This key is already assigned to another action. Assign it here and clear the other binding?";
const char kInvalidKey[] = "This key is reserved by the game and cannot be assigned.";

} // namespace

// The editor opens centred, focus on its tabs; a padless gamepad page captures nothing; OK saves
// at once (making the folder), the main Cancel keeps it; the editor reopens on its last page.
TEST_F(EditorTest, TabsPagesAndLayouts) {
    ASSERT_TRUE(RemoveTree(P().Game()));
    ASSERT_TRUE(OpenEditor(kQwerty));
    ExpectWindow("editor-QWERTY.txt", Ed().Handle());
    EXPECT_EQ(Ed().Focus(), Ed().Item(IDC_INPUT_TABS));
    EXPECT_EQ(Window::Send(Ed().Item(IDC_INPUT_TABS), TCM_GETITEMCOUNT), 2);
    const RECT owner = Main().Rect(), shown = Ed().Rect();
    EXPECT_EQ(shown.left,
              owner.left + (owner.right - owner.left) / 2 - (shown.right - shown.left) / 2);
    EXPECT_EQ(shown.top,
              owner.top + (owner.bottom - owner.top) / 2 - (shown.bottom - shown.top) / 2);

    // Move forward, Use ability, Move left and Medallion follow the layout.
    const int ids[] = {IDC_EDIT_MOVEFORWARD, IDC_EDIT_USEABILITY, IDC_EDIT_MOVELEFT,
                       IDC_EDIT_MEDALLION};
    const std::pair<int, const wchar_t*> layouts[] = {{kAzerty, L"ZAQW"}, {kQwertz, L"WQAY"}};
    for (const auto& [layout, letters] : layouts) {
        ASSERT_TRUE(CloseEditor(IDCANCEL));
        ASSERT_TRUE(ReopenEditor(layout));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(WindowText(Ed().Field(0, ids[i])), std::wstring(1, letters[i])) << layout;
    }

    ASSERT_TRUE(Ed().SelectTab(1));
    ExpectWindow("editor-QWERTZ-gamepad.txt", Ed().Handle());
    // Greyed without a pad, the page captures nothing; a capture would swallow this OK.
    ASSERT_TRUE(Ed().DoubleClickField(1, IDC_EDIT_BLOCK));
    ASSERT_TRUE(CloseEditor(IDOK)) << "a double click on the greyed page started a capture";
    ExpectUserIniGolden("editor-QWERTZ-User.ini");
    EXPECT_EQ(ReadFileBytes(P().Mapping()), "\xEF\xBB\xBF");
    ASSERT_TRUE(ReopenEditor(kQwerty));
    EXPECT_EQ(Ed().SelectedTab(), 1);
    EXPECT_TRUE(IsWindowVisible(Ed().Page(1)) && !IsWindowVisible(Ed().Page(0)));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    PressAndWaitForExit(IDCANCEL);
    ExpectUserIniGolden("editor-QWERTZ-User.ini");
}

// A layout's section binds only what it names; Reset restores its own page; Cancel writes nothing.
TEST_F(EditorTest, ResetCancelAndOk) {
    WriteUserIni(kOnlyF13);
    ASSERT_TRUE(OpenEditor(kQwerty));
    for (const bool cancel : {true, false}) {
        ExpectWindow("editor-only-F13.txt", Ed().Handle());
        ASSERT_TRUE(PostMessageW(GetDlgItem(Ed().Page(0), IDC_RESET_DEFAULT), BM_CLICK, 0, 0));
        EXPECT_TRUE(PollFor([&] { return WindowText(Ed().Field(0, IDC_EDIT_BLOCK)) == L"E"; }));
        ExpectWindow("editor-reset.txt", Ed().Handle());
        ASSERT_TRUE(CloseEditor(cancel ? IDCANCEL : IDOK));
        if (cancel) {
            EXPECT_EQ(UserIni(), kOnlyF13);
            EXPECT_EQ(SnapshotFolder(P().Config()).size(), 1u);
            ASSERT_TRUE(ReopenEditor(kQwerty));
        }
    }
    ExpectUserIniGolden("editor-reset-User.ini");
    PressAndWaitForExit(IDCANCEL);
}

// Without xinput1_3 (only the DirectX redistributable brings it) the pad page uses a later XInput.
TEST_F(EditorTest, ALaterXInputServesWithoutXInput13) {
    ASSERT_TRUE(DisableLibrary(L"xinput1_3"));
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_TRUE(Ed().SelectTab(1));
    EXPECT_TRUE(PollFor([&] { return Loaded(Ed().Pid(), L"xinput1_4.dll"); }));
    EXPECT_FALSE(Loaded(Ed().Pid(), L"xinput1_3.dll"));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    PressAndWaitForExit(IDCANCEL);
}

// A captured key replaces the binding (one bound elsewhere after asking; I, a fixed one, never;
// Escape never); OK during a capture only ends it, a key then is not taken; the next OK saves.
TEST_F(CaptureTest, KeysAreCapturedRefusedAndSaved) {
    const auto never = [] { return false; };
    ASSERT_TRUE(OpenEditor(kQwerty));
    EXPECT_TRUE(Capture(IDC_EDIT_BLOCK, kG, L"G"));
    CaptureToBox(IDC_EDIT_BLOCK, kR, IDNO, kAlreadyBound);
    EXPECT_EQ(Text(IDC_EDIT_BLOCK), L"G");
    EXPECT_EQ(Text(IDC_EDIT_USEITEM), L"R");
    CaptureToBox(IDC_EDIT_BLOCK, kR, IDYES, kAlreadyBound);
    EXPECT_EQ(Text(IDC_EDIT_BLOCK), L"R");
    EXPECT_EQ(Text(IDC_EDIT_USEITEM), L"");
    CaptureToBox(IDC_EDIT_BLOCK, kI, IDOK, kInvalidKey);
    EXPECT_EQ(Text(IDC_EDIT_BLOCK), L"R");
    Ed().DoubleClickField(0, IDC_EDIT_BLOCK);
    Ed().HoldKey(IDC_EDIT_BLOCK, kEscape, never, kIgnoredMs);
    EXPECT_EQ(Text(IDC_EDIT_BLOCK), L"R");
    EXPECT_FALSE(FindMessageBox(Ed().Pid(), nullptr));

    ASSERT_TRUE(PollFor([&] { return Ed().Focus() == Ed().Field(0, IDC_EDIT_BLOCK); }));
    ASSERT_TRUE(Ed().ClickButton(IDOK));
    ASSERT_TRUE(PollFor([&] { return Ed().Focus() == Ed().Item(IDOK); }));
    Window::Send(Ed().Handle(), WM_NULL); // answered once the click has been handled
    EXPECT_TRUE(Ed().IsOpen());
    Ed().HoldKey(IDC_EDIT_BLOCK, kT, never, kIgnoredMs);
    EXPECT_EQ(Text(IDC_EDIT_BLOCK), L"R") << "a key was taken after the focus left the field";
    ASSERT_TRUE(CloseEditor(IDOK));
    ExpectUserIniGolden("capture-User.ini");
    PressAndWaitForExit(IDCANCEL);
}

// The left button counts only in the field, the right anywhere; DIMapping.ini names scan codes.
TEST_F(CaptureTest, MouseButtonsAndTheLayout) {
    ASSERT_TRUE(WriteFileBytes(P().Mapping(), "\xEF\xBB\xBF[InputAZERTY]\r\nDIK_T=IK_Y\r\n"));
    WriteUserIni("\xEF\xBB\xBF[InputAZERTY]\r\nIK_F1=(GameKey=\"GI_Block\",Value=1)\r\n");
    ASSERT_TRUE(OpenEditor(kAzerty));
    const POINT label = Window(GetDlgItem(Ed().Page(0), IDC_LABEL_ATTACKFAST)).Centre();
    Ed().DoubleClickField(0, IDC_EDIT_ATTACKFAST);
    EXPECT_FALSE(
        ClickAt(IDC_EDIT_ATTACKFAST, label, MOUSEEVENTF_LEFTDOWN, L"Left mouse", kIgnoredMs));
    EXPECT_TRUE(ClickAt(IDC_EDIT_ATTACKFAST, Window(Ed().Field(0, IDC_EDIT_ATTACKFAST)).Centre(),
                        MOUSEEVENTF_LEFTDOWN, L"Left mouse"));
    Ed().DoubleClickField(0, IDC_EDIT_ATTACKSTRONG);
    EXPECT_TRUE(ClickAt(IDC_EDIT_ATTACKSTRONG, label, MOUSEEVENTF_RIGHTDOWN, L"Right mouse"));
    EXPECT_TRUE(Capture(IDC_EDIT_BLOCK, kT, L"Y"));
    CaptureToBox(IDC_EDIT_BLOCK, kAzertyM, IDOK, kInvalidKey);
    EXPECT_EQ(Text(IDC_EDIT_BLOCK), L"Y");
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    ASSERT_TRUE(ReopenEditor(kQwerty));
    EXPECT_TRUE(Capture(IDC_EDIT_BLOCK, kT, L"T"));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    PressAndWaitForExit(IDCANCEL);
}
