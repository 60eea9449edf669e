// The input editor: its tabs and pages, the bindings it shows for each layout, and what OK,
// Cancel and "Reset to default" do to the user file.

#include "ControlIds.h"
#include "Files.h"
#include "InputEditorDriver.h"
#include "WideText.h"
#include "resource.h"

#include <tlhelp32.h>

#include <vector>

namespace {

struct Row {
    int editId;
    int labelId;
    const char* labelKey;
    const char* gameInput;
    const char* keyboardValue; // as written
    const char* qwerty;        // keyboard defaults, "" for none
    const char* qwertz;
    const char* azerty;
    const char* gamepad;
};

// The 27 rows of a page, in the game's order of saving (the entry index).
const Row kRows[] = {
    {IDC_EDIT_ATTACKFAST, IDC_LABEL_ATTACKFAST, "AttackFast", "GI_AttackFast", "1", "IK_LeftMouse",
     "IK_LeftMouse", "IK_LeftMouse", "IK_Pad_X_SQUARE"},
    {IDC_EDIT_ATTACKSTRONG, IDC_LABEL_ATTACKSTRONG, "AttackStrong", "GI_AttackStrong", "1",
     "IK_RightMouse", "IK_RightMouse", "IK_RightMouse", "IK_Pad_Y_TRIANGLE"},
    {IDC_EDIT_HOLSTER, IDC_LABEL_HOLSTER, "Holster", "GI_Holster", "1", "IK_0", "IK_0", "IK_0",
     "IK_Pad_DigitDown"},
    {IDC_EDIT_STEEL, IDC_LABEL_STEEL, "Steel", "GI_Steel", "1", "IK_1", "IK_1", "IK_1",
     "IK_Pad_DigitLeft"},
    {IDC_EDIT_SILVER, IDC_LABEL_SILVER, "Silver", "GI_Silver", "1", "IK_2", "IK_2", "IK_2",
     "IK_Pad_DigitRight"},
    {IDC_EDIT_NEXTSIGN, IDC_LABEL_NEXTSIGN, "NextSign", "GI_Hotkey03", "1", "IK_3", "IK_3", "IK_3",
     ""},
    {IDC_EDIT_NEXTITEM, IDC_LABEL_NEXTITEM, "NextItem", "GI_Hotkey04", "1", "IK_4", "IK_4", "IK_4",
     ""},
    {IDC_EDIT_LOCKTARGET, IDC_LABEL_LOCKTARGET, "LockTarget", "GI_LockTarget", "1", "IK_Alt",
     "IK_Alt", "IK_Alt", "IK_Pad_LeftShoulder"},
    {IDC_EDIT_BLOCK, IDC_LABEL_BLOCK, "Block", "GI_Block", "1", "IK_E", "IK_E", "IK_E",
     "IK_Pad_RightTrigger"},
    {IDC_EDIT_WALKFLAG, IDC_LABEL_WALKFLAG, "WalkFlag", "GI_WalkFlag", "1", "IK_CapsLock",
     "IK_CapsLock", "IK_CapsLock", ""},
    {IDC_EDIT_CASTBREL, IDC_LABEL_CASTBREL, "CastBrel", "GI_Hotkey05", "1", "IK_5", "IK_5", "IK_5",
     ""},
    {IDC_EDIT_CASTKOVAS, IDC_LABEL_CASTKOVAS, "CastKovas", "GI_Hotkey06", "1", "IK_6", "IK_6",
     "IK_6", ""},
    {IDC_EDIT_CASTSORRA, IDC_LABEL_CASTSORRA, "CastSorra", "GI_Hotkey07", "1", "IK_7", "IK_7",
     "IK_7", ""},
    {IDC_EDIT_CIRCLEOFPOWER, IDC_LABEL_CIRCLEOFPOWER, "CircleOfPower", "GI_CircleOfPower", "1",
     "IK_F", "IK_F", "IK_F", "IK_Pad_RightThumb"},
    {IDC_EDIT_MOVERIGHT, IDC_LABEL_MOVERIGHT, "MoveRight", "GI_AxisLeftX", "1", "IK_D", "IK_D",
     "IK_D", "IK_Pad_LeftAxisX"},
    {IDC_EDIT_MOVEFORWARD, IDC_LABEL_MOVEFORWARD, "MoveForward", "GI_AxisLeftY", "1", "IK_W",
     "IK_W", "IK_Z", "IK_Pad_LeftAxisY"},
    {IDC_EDIT_MOVEBACKWARD, IDC_LABEL_MOVEBACKWARD, "MoveBackward", "GI_AxisLeftY", "-1", "IK_S",
     "IK_S", "IK_S", "IK_Pad_LeftAxisY"},
    {IDC_EDIT_FASTMENU, IDC_LABEL_FASTMENU, "FastMenu", "GI_FastMenu", "1", "IK_LControl",
     "IK_LControl", "IK_LControl", "IK_Pad_LeftTrigger"},
    {IDC_EDIT_WALKSWITCH, IDC_LABEL_WALKSWITCH, "WalkSwitch", "GI_WalkSwitch", "1", "IK_LShift",
     "IK_LShift", "IK_LShift", ""},
    {IDC_EDIT_CASTMURO, IDC_LABEL_CASTMURO, "CastMuro", "GI_Hotkey09", "1", "IK_9", "IK_9", "IK_9",
     ""},
    {IDC_EDIT_USEABILITY, IDC_LABEL_USEABILITY, "UseAbility", "GI_UseAbility", "1", "IK_Q", "IK_Q",
     "IK_A", "IK_Pad_B_CIRCLE"},
    {IDC_EDIT_USEITEM, IDC_LABEL_USEITEM, "UseItem", "GI_UseItem", "1", "IK_R", "IK_R", "IK_R",
     "IK_Pad_RightShoulder"},
    {IDC_EDIT_ACCEPTEVADE, IDC_LABEL_ACCEPTEVADE, "AcceptEvade", "GI_Accept_Evade", "1", "IK_Space",
     "IK_Space", "IK_Space", "IK_Pad_A_CROSS"},
    {IDC_EDIT_MOVELEFT, IDC_LABEL_MOVELEFT, "MoveLeft", "GI_AxisLeftX", "-1", "IK_A", "IK_A",
     "IK_Q", "IK_Pad_LeftAxisX"},
    {IDC_EDIT_ADRENALINE, IDC_LABEL_ADRENALINE, "Adrenaline", "GI_Adrenaline", "1", "IK_X", "IK_X",
     "IK_X", "IK_Pad_DigitUp"},
    {IDC_EDIT_MEDALLION, IDC_LABEL_MEDALLION, "Medallion", "GI_Medallion", "1", "IK_Z", "IK_Y",
     "IK_W", "IK_Pad_LeftThumb"},
    {IDC_EDIT_CASTDULT, IDC_LABEL_CASTDULT, "CastDult", "GI_Hotkey08", "1", "IK_8", "IK_8", "IK_8",
     ""},
};
static_assert(std::size(kRows) == 27);

// Written before the player's bindings, whatever the editor shows.
const std::pair<const char*, const char*> kFixedBindings[] = {
    {"IK_Delete", "GI_Cancel"},
    {"IK_Up", "GI_Up"},
    {"IK_Down", "GI_Down"},
    {"IK_Escape", "GI_Exit"},
    {"IK_F5", "GI_F5"},
    {"IK_I", "GI_Inventory"},
    {"IK_M", "GI_Nav"},
    {"IK_J", "GI_Journal"},
    {"IK_C", "GI_Character"},
    {"IK_MouseX", "GI_MouseX"},
    {"IK_MouseY", "GI_MouseY"},
    {"IK_Pad_Back_Select", "GI_Exit"},
    {"IK_Pad_RightAxisX", "GI_AxisRightX"},
    {"IK_Pad_RightAxisY", "GI_AxisRightY"},
    {"IK_Pad_Start", "GI_PanelSelector"},
};

const char* KeyboardDefault(const Row& row, int layout) {
    return layout == kAzerty ? row.azerty : layout == kQwertz ? row.qwertz : row.qwerty;
}

std::string Written(const std::string& gameInput, const std::string& value) {
    return "(Gamekey=" + gameInput + ",Value=" + value + ".000000)";
}

// The section that OK writes for the layout's defaults, with or without the gamepad's, in the
// game's form.
IniSection SavedSection(int layout, bool gamepad) {
    IniSection section;
    for (const auto& [key, gameInput] : kFixedBindings)
        section[key].push_back(std::string("(GameKey=\"") + gameInput + "\",Value=1)");
    for (const Row& row : kRows) {
        if (*KeyboardDefault(row, layout))
            section[KeyboardDefault(row, layout)].push_back(
                Written(row.gameInput, row.keyboardValue));
        if (gamepad && *row.gamepad)
            section[row.gamepad].push_back(Written(row.gameInput, "1"));
    }
    return section;
}

// A user file whose QWERTY section binds only F13, which the language file has no text for.
const char kOnlyF13[] = "\xEF\xBB\xBF[InputQWERTY]\r\nIK_F13=(GameKey=\"GI_Block\",Value=1)\r\n";

} // namespace

class InputEditorLayoutTest : public InputEditorTest {
protected:
    // Every field of both pages shows the text of its key, or nothing.
    void ExpectFields(int layout) {
        for (const Row& row : kRows) {
            EXPECT_EQ(Editor().PageText(EditorPage::Keyboard, row.editId),
                      EditorText(KeyboardDefault(row, layout)))
                << row.labelKey << " on the keyboard page";
            EXPECT_EQ(Editor().PageText(EditorPage::Gamepad, row.editId),
                      *row.gamepad ? EditorText(row.gamepad) : L"")
                << row.labelKey << " on the gamepad page";
        }
    }

    void ExpectPages(bool keyboardShown) {
        EXPECT_EQ(Editor().SelectedTab(), keyboardShown ? 0 : 1);
        for (const EditorPage page : {EditorPage::Keyboard, EditorPage::Gamepad}) {
            const bool shown = (page == EditorPage::Keyboard) == keyboardShown;
            EXPECT_EQ(Editor().IsShown(page), shown);
            EXPECT_EQ(Editor().IsEnabled(page), shown);
        }
    }
};

// Opening shows a frame without a close box, the tab control first in the z-order (and so the
// Tab order) before OK, Cancel and the two pages, and with the focus; two tabs, the texts of
// the language file and the keyboard page, centred on the main window; the keyboard list
// chooses the layout whose defaults show at the next opening, before the main window's OK. The
// other tab shows the other page and hides and disables the first. Without a pad every field
// of the gamepad page is greyed and a double click captures nothing: the first OK closes the
// editor, which reopens on the page it showed last.
TEST_F(InputEditorLayoutTest, LayoutsTabsAndPages) {
    ASSERT_TRUE(OpenEditor(kQwerty));
    InputEditorDriver& editor = Editor();
    const HWND tabs = editor.Item(IDC_INPUT_TABS);
    std::vector<HWND> children;
    for (HWND child = GetWindow(editor.Handle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    EXPECT_EQ(children, (std::vector<HWND>{tabs, editor.Item(IDOK), editor.Item(IDCANCEL),
                                           editor.Page(EditorPage::Keyboard),
                                           editor.Page(EditorPage::Gamepad)}));
    EXPECT_EQ(editor.FocusWindow(), tabs);
    constexpr DWORD kFrame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(editor.Handle(), GWL_STYLE)) & kFrame,
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_MODALFRAME));
    EXPECT_EQ(editor.Caption(), EditorText("InputEditor"));
    EXPECT_EQ(editor.Text(IDOK), EditorText("OK"));
    EXPECT_EQ(editor.Text(IDCANCEL), EditorText("Cancel"));
    ASSERT_EQ(editor.TabCount(), 2);
    EXPECT_EQ(editor.TabCaption(0), EditorText("Keyboard"));
    EXPECT_EQ(editor.TabCaption(1), EditorText("Gamepad"));
    ExpectPages(true);
    for (const EditorPage page : {EditorPage::Keyboard, EditorPage::Gamepad}) {
        EXPECT_EQ(editor.PageText(page, IDC_GROUP_MOVEMENT), EditorText("Movement"));
        EXPECT_EQ(editor.PageText(page, IDC_GROUP_COMBAT), EditorText("Combat"));
        EXPECT_EQ(editor.PageText(page, IDC_GROUP_GAMEPLAY), EditorText("Gameplay"));
        EXPECT_EQ(editor.PageText(page, IDC_RESET_DEFAULT), EditorText("ResetDefault"));
        for (const Row& row : kRows)
            EXPECT_EQ(editor.PageText(page, row.labelId), EditorText(row.labelKey));
    }
    const RECT owner = MainDialog().WindowRect();
    const RECT shown = editor.WindowRect();
    const int width = shown.right - shown.left;
    const int height = shown.bottom - shown.top;
    EXPECT_EQ(shown.left, owner.left + (owner.right - owner.left) / 2 - width / 2);
    EXPECT_EQ(shown.top, owner.top + (owner.bottom - owner.top) / 2 - height / 2);

    for (const int layout : {kQwerty, kAzerty, kQwertz}) {
        SCOPED_TRACE(layout);
        if (layout != kQwerty) {
            ASSERT_TRUE(CloseEditor(IDCANCEL));
            ASSERT_TRUE(ReopenEditor(layout));
        }
        ExpectFields(layout);
    }

    ASSERT_TRUE(Editor().SelectTab(1));
    ExpectPages(false);
    for (const Row& row : kRows) {
        EXPECT_FALSE(IsWindowEnabled(Editor().Field(EditorPage::Gamepad, row.editId)))
            << row.labelKey;
        EXPECT_TRUE(IsWindowEnabled(Editor().Field(EditorPage::Keyboard, row.editId)))
            << row.labelKey;
    }
    ASSERT_TRUE(Editor().DoubleClickField(EditorPage::Gamepad, IDC_EDIT_BLOCK));
    ASSERT_TRUE(CloseEditor(IDOK));
    ASSERT_TRUE(ReopenEditor(kQwerty));
    ExpectPages(false);
    ASSERT_TRUE(Editor().SelectTab(0));
    ExpectPages(true);
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}

// OK replaces the layout's section with the fixed bindings and the shown ones and saves the
// user file at once, also for a player who never started the game: the configuration folder
// is made first, without a warning. The main window's Cancel does not undo it.
TEST_F(InputEditorTest, OkWritesTheLayoutsSection) {
    ASSERT_TRUE(RemoveTree(Paths().GameDocuments()));
    ASSERT_TRUE(OpenEditor(kAzerty));
    if (!CloseEditor(IDOK)) {
        const auto box = Editor().AnswerMessageBox(IDOK, kWaitMs);
        FAIL() << "a warning: " << (box ? WideToUtf8(box->text) : "none");
    }
    const IniModel expected = {{"InputAZERTY", SavedSection(kAzerty, true)}};
    ExpectUserIni(FormatIniBytes(expected));
    // The layout file read for the editor is saved with the store as well.
    EXPECT_EQ(ReadFileBytes(Paths().ConfigDir() + L"\\DIMapping.ini"), "\xEF\xBB\xBF");
    FinishProgram();
    ExpectUserIni(FormatIniBytes(expected));
}

// A binding whose key has no text in the language file shows the key's name; a section of the
// layout binds only what it names. "Reset to default" restores the defaults of its own page
// only; Cancel writes nothing and forgets the change, OK saves it.
TEST_F(InputEditorTest, ResetCancelAndOk) {
    WriteUserIni(kOnlyF13);
    ASSERT_TRUE(OpenEditor(kQwerty));
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "Cancel" : "OK");
        for (const Row& row : kRows) {
            EXPECT_EQ(Editor().PageText(EditorPage::Keyboard, row.editId),
                      row.editId == IDC_EDIT_BLOCK ? L"IK_F13" : L"")
                << row.labelKey;
        }
        ASSERT_TRUE(Editor().PostPageClick(EditorPage::Keyboard, IDC_RESET_DEFAULT));
        EXPECT_TRUE(PollFor(
            [&] {
                return Editor().PageText(EditorPage::Keyboard, IDC_EDIT_BLOCK) ==
                       EditorText("IK_E");
            },
            kWaitMs));
        for (const Row& row : kRows) {
            EXPECT_EQ(Editor().PageText(EditorPage::Keyboard, row.editId), EditorText(row.qwerty))
                << row.labelKey;
            EXPECT_EQ(Editor().PageText(EditorPage::Gamepad, row.editId), L"") << row.labelKey;
        }
        ASSERT_TRUE(CloseEditor(cancel ? IDCANCEL : IDOK));
        if (cancel) {
            EXPECT_EQ(UserIniBytes(), kOnlyF13);
            EXPECT_EQ(SnapshotFolder(Paths().ConfigDir()).size(), 1u) << "files beside User.ini";
            ASSERT_TRUE(ReopenEditor(kQwerty));
        }
    }
    EXPECT_EQ(UserSection("InputQWERTY"), SavedSection(kQwerty, false));
    FinishProgram();
}

// Without xinput1_3, which only the DirectX redistributable brings to Windows 10 and 11, the
// gamepad page asks a later XInput for pads (a Wine DLL override stands in for its absence).
TEST_F(InputEditorTest, ALaterXInputServesWithoutXInput13) {
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "needs Wine's DLL overrides";
    static constexpr wchar_t kProgramDefaults[] = L"Software\\Wine\\AppDefaults\\Configurator.exe";
    struct Removed {
        ~Removed() { RegDeleteTreeW(HKEY_CURRENT_USER, kProgramDefaults); }
    } removed;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER,
                              (kProgramDefaults + std::wstring(L"\\DllOverrides")).c_str(),
                              L"xinput1_3", REG_SZ, L"", sizeof(wchar_t)),
              ERROR_SUCCESS);
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_TRUE(Editor().SelectTab(1));
    const auto loaded = [&](const std::wstring& name) {
        const HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, Editor().Pid());
        MODULEENTRY32W module{};
        module.dwSize = sizeof(module);
        bool found = false;
        for (BOOL more = Module32FirstW(modules, &module); more && !found;
             more = Module32NextW(modules, &module))
            found = _wcsicmp(module.szModule, name.c_str()) == 0;
        CloseHandle(modules);
        return found;
    };
    EXPECT_TRUE(PollFor([&] { return loaded(L"xinput1_4.dll"); }, kWaitMs));
    EXPECT_FALSE(loaded(L"xinput1_3.dll"));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}

// Not possible under Wine here: XInput never finds a pad on the test display. With one, the
// page becomes editable except the left stick's four fields.
TEST_F(InputEditorTest, DISABLED_TheGamepadPageIsEditableWithAPad) {
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_TRUE(Editor().SelectTab(1));
    const auto editable = [&](int editId) {
        return IsWindowEnabled(Editor().Field(EditorPage::Gamepad, editId)) != FALSE;
    };
    ASSERT_TRUE(PollFor([&] { return editable(IDC_EDIT_BLOCK); }, kWaitMs)) << "no pad answers";
    for (const Row& row : kRows) {
        const bool stick = row.editId == IDC_EDIT_MOVEFORWARD ||
                           row.editId == IDC_EDIT_MOVEBACKWARD || row.editId == IDC_EDIT_MOVELEFT ||
                           row.editId == IDC_EDIT_MOVERIGHT;
        EXPECT_EQ(editable(row.editId), !stick) << row.labelKey;
    }
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}
