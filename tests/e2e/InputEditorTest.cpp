// The input editor: its tabs and pages, the bindings it shows for each layout, and what OK,
// Cancel and "Reset to default" do to the user file.

#include "ControlIds.h"
#include "Files.h"
#include "InputEditorFixture.h"
#include "TopLevelWindows.h"
#include "WideText.h"
#include "resource.h"

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

// The section that OK writes for these key names (by row; "" unbound), in the game's form.
IniSection SavedSection(const std::vector<std::string>& keyboard,
                        const std::vector<std::string>& gamepad) {
    IniSection section;
    for (const auto& [key, gameInput] : kFixedBindings)
        section[key].push_back(std::string("(GameKey=\"") + gameInput + "\",Value=1)");
    for (size_t i = 0; i < std::size(kRows); ++i) {
        if (!keyboard[i].empty())
            section[keyboard[i]].push_back(Written(kRows[i].gameInput, kRows[i].keyboardValue));
        if (!gamepad[i].empty())
            section[gamepad[i]].push_back(Written(kRows[i].gameInput, "1"));
    }
    return section;
}

std::vector<std::string> KeyboardDefaults(int layout) {
    std::vector<std::string> keys;
    for (const Row& row : kRows)
        keys.push_back(KeyboardDefault(row, layout));
    return keys;
}

std::vector<std::string> GamepadDefaults() {
    std::vector<std::string> keys;
    for (const Row& row : kRows)
        keys.push_back(row.gamepad);
    return keys;
}

// A user file whose QWERTY section binds only F13, which the language file has no text for.
const char kOnlyF13[] = "\xEF\xBB\xBF[InputQWERTY]\r\nIK_F13=(GameKey=\"GI_Block\",Value=1)\r\n";

} // namespace

class InputEditorLayoutTest : public InputEditorTest, public ::testing::WithParamInterface<int> {
protected:
    // Every field of both pages shows the text of its key, or nothing.
    void ExpectFields(int layout) {
        for (const Row& row : kRows) {
            const std::string keyboard = KeyboardDefault(row, layout);
            EXPECT_EQ(Editor().PageText(EditorPage::Keyboard, row.editId), EditorText(keyboard))
                << row.labelKey << " on the keyboard page";
            const std::wstring pad = *row.gamepad ? EditorText(row.gamepad) : L"";
            EXPECT_EQ(Editor().PageText(EditorPage::Gamepad, row.editId), pad)
                << row.labelKey << " on the gamepad page";
        }
    }
};

// Opening shows two tabs, the texts of the language file, the layout's defaults and the
// keyboard page, centred on the main window.
TEST_P(InputEditorLayoutTest, OpensWithTheLayoutsDefaults) {
    ASSERT_TRUE(OpenEditor(GetParam()));
    InputEditorDriver& editor = Editor();

    EXPECT_EQ(editor.Caption(), EditorText("InputEditor"));
    EXPECT_EQ(editor.Text(IDOK), EditorText("OK"));
    EXPECT_EQ(editor.Text(IDCANCEL), EditorText("Cancel"));
    ASSERT_EQ(editor.TabCount(), 2);
    EXPECT_EQ(editor.TabCaption(0), EditorText("Keyboard"));
    EXPECT_EQ(editor.TabCaption(1), EditorText("Gamepad"));
    EXPECT_EQ(editor.SelectedTab(), 0);
    EXPECT_TRUE(editor.IsShown(EditorPage::Keyboard) && editor.IsEnabled(EditorPage::Keyboard));
    EXPECT_FALSE(editor.IsShown(EditorPage::Gamepad) || editor.IsEnabled(EditorPage::Gamepad));

    for (const EditorPage page : {EditorPage::Keyboard, EditorPage::Gamepad}) {
        EXPECT_EQ(editor.PageText(page, IDC_GROUP_MOVEMENT), EditorText("Movement"));
        EXPECT_EQ(editor.PageText(page, IDC_GROUP_COMBAT), EditorText("Combat"));
        EXPECT_EQ(editor.PageText(page, IDC_GROUP_GAMEPLAY), EditorText("Gameplay"));
        EXPECT_EQ(editor.PageText(page, IDC_RESET_DEFAULT), EditorText("ResetDefault"));
        for (const Row& row : kRows)
            EXPECT_EQ(editor.PageText(page, row.labelId), EditorText(row.labelKey));
    }
    ExpectFields(GetParam());

    const RECT owner = MainDialog().WindowRect();
    const RECT shown = editor.WindowRect();
    const int width = shown.right - shown.left;
    const int height = shown.bottom - shown.top;
    EXPECT_EQ(shown.left, owner.left + (owner.right - owner.left) / 2 - width / 2);
    EXPECT_EQ(shown.top, owner.top + (owner.bottom - owner.top) / 2 - height / 2);

    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}

INSTANTIATE_TEST_SUITE_P(Layouts, InputEditorLayoutTest,
                         ::testing::Values(kQwerty, kAzerty, kQwertz));

// The keyboard list chooses the layout at the next opening, before the main window's OK.
TEST_F(InputEditorTest, TheKeyboardListChoosesTheLayoutAtOnce) {
    WriteUserIni(kOnlyF13);
    ASSERT_TRUE(OpenEditor(kQwerty));
    EXPECT_EQ(Editor().PageText(EditorPage::Keyboard, IDC_EDIT_MOVEFORWARD), L"");
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    ASSERT_TRUE(MainDialog().Choose(ids::kKeyboardList, kAzerty));
    ASSERT_TRUE(ReopenEditor());
    EXPECT_EQ(Editor().PageText(EditorPage::Keyboard, IDC_EDIT_MOVEFORWARD), EditorText("IK_Z"));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}

// The other tab shows the other page and hides and disables the first; the editor reopens on
// the page it showed last.
TEST_F(InputEditorTest, TheSelectedTabIsKeptBetweenOpenings) {
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_TRUE(Editor().SelectTab(1));
    EXPECT_TRUE(Editor().IsShown(EditorPage::Gamepad) && Editor().IsEnabled(EditorPage::Gamepad));
    EXPECT_FALSE(Editor().IsShown(EditorPage::Keyboard) ||
                 Editor().IsEnabled(EditorPage::Keyboard));
    ASSERT_TRUE(CloseEditor(IDCANCEL));

    ASSERT_TRUE(ReopenEditor());
    EXPECT_EQ(Editor().SelectedTab(), 1);
    EXPECT_TRUE(Editor().IsShown(EditorPage::Gamepad));
    EXPECT_FALSE(Editor().IsShown(EditorPage::Keyboard));
    ASSERT_TRUE(Editor().SelectTab(0));
    EXPECT_TRUE(Editor().IsShown(EditorPage::Keyboard) && Editor().IsEnabled(EditorPage::Keyboard));
    EXPECT_FALSE(Editor().IsShown(EditorPage::Gamepad));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}

// Without a pad every field of the gamepad page is greyed and a double click captures
// nothing: the first OK closes the editor.
TEST_F(InputEditorTest, TheGamepadPageIsGreyWithoutAPad) {
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_TRUE(Editor().SelectTab(1));
    for (const Row& row : kRows) {
        EXPECT_FALSE(Editor().IsFieldEnabled(EditorPage::Gamepad, row.editId)) << row.labelKey;
        EXPECT_TRUE(Editor().IsFieldEnabled(EditorPage::Keyboard, row.editId)) << row.labelKey;
    }
    ASSERT_TRUE(Editor().DoubleClickField(EditorPage::Gamepad, IDC_EDIT_BLOCK));
    ASSERT_TRUE(CloseEditor(IDOK));
    FinishProgram();
}

// A binding whose key has no text in the language file shows the key's name; a section of
// the layout binds only what it names.
TEST_F(InputEditorTest, AKeyWithoutTextShowsItsName) {
    WriteUserIni(kOnlyF13);
    ASSERT_TRUE(OpenEditor(kQwerty));
    for (const Row& row : kRows) {
        const std::wstring expected = row.editId == IDC_EDIT_BLOCK ? L"IK_F13" : L"";
        EXPECT_EQ(Editor().PageText(EditorPage::Keyboard, row.editId), expected) << row.labelKey;
        EXPECT_EQ(Editor().PageText(EditorPage::Gamepad, row.editId), L"") << row.labelKey;
    }
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}

// OK replaces the layout's section with the fixed bindings and the shown ones and saves the
// user file at once; the main window's Cancel does not undo it.
TEST_F(InputEditorTest, OkWritesTheLayoutsSection) {
    ASSERT_TRUE(OpenEditor(kAzerty));
    ASSERT_TRUE(CloseEditor(IDOK));
    const IniModel expected = {
        {"InputAZERTY", SavedSection(KeyboardDefaults(kAzerty), GamepadDefaults())}};
    const auto written = UserIniBytes();
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, FormatIniBytes(expected)) << "written:\n"
                                                  << ShowLineEnds(*written) << "\nexpected:\n"
                                                  << ShowLineEnds(FormatIniBytes(expected));
    // The layout file read for the editor is saved with the store as well.
    EXPECT_EQ(ReadFileBytes(Paths().ConfigDir() + L"\\DIMapping.ini"), "\xEF\xBB\xBF");
    FinishProgram();
    EXPECT_EQ(UserIniBytes(), written);
}

// Cancel writes nothing, even after the fields changed.
TEST_F(InputEditorTest, CancelWritesNothing) {
    WriteUserIni(kOnlyF13);
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_TRUE(Editor().PostPageClick(EditorPage::Keyboard, IDC_RESET_DEFAULT));
    EXPECT_TRUE(PollFor(
        [&] {
            return Editor().PageText(EditorPage::Keyboard, IDC_EDIT_BLOCK) == EditorText("IK_E");
        },
        kWaitMs));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
    EXPECT_EQ(UserIniBytes(), kOnlyF13);
    EXPECT_EQ(SnapshotFolder(Paths().ConfigDir()).size(), 1u) << "files beside User.ini";
}

// "Reset to default" restores the defaults of its own page only; OK then saves them.
TEST_F(InputEditorTest, ResetToDefaultRestoresItsPage) {
    WriteUserIni(kOnlyF13);
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_EQ(Editor().PageText(EditorPage::Keyboard, IDC_EDIT_MOVEFORWARD), L"");

    ASSERT_TRUE(Editor().PostPageClick(EditorPage::Keyboard, IDC_RESET_DEFAULT));
    EXPECT_TRUE(PollFor(
        [&] {
            return Editor().PageText(EditorPage::Keyboard, IDC_EDIT_BLOCK) == EditorText("IK_E");
        },
        kWaitMs));
    for (const Row& row : kRows) {
        EXPECT_EQ(Editor().PageText(EditorPage::Keyboard, row.editId), EditorText(row.qwerty))
            << row.labelKey;
        EXPECT_EQ(Editor().PageText(EditorPage::Gamepad, row.editId), L"") << row.labelKey;
    }
    ASSERT_TRUE(CloseEditor(IDOK));
    EXPECT_EQ(UserSection("InputQWERTY"),
              SavedSection(KeyboardDefaults(kQwerty), std::vector<std::string>(27)));
    FinishProgram();
}

// Not possible under Wine here: XInput never finds a pad on the test display. With one, the
// page becomes editable except the left stick's four fields.
TEST_F(InputEditorTest, DISABLED_TheGamepadPageIsEditableWithAPad) {
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_TRUE(Editor().SelectTab(1));
    ASSERT_TRUE(PollFor(
        [&] { return Editor().IsFieldEnabled(EditorPage::Gamepad, IDC_EDIT_BLOCK); }, kWaitMs))
        << "no pad answers";
    for (const Row& row : kRows) {
        const bool stick = row.editId == IDC_EDIT_MOVEFORWARD ||
                           row.editId == IDC_EDIT_MOVEBACKWARD || row.editId == IDC_EDIT_MOVELEFT ||
                           row.editId == IDC_EDIT_MOVERIGHT;
        EXPECT_EQ(Editor().IsFieldEnabled(EditorPage::Gamepad, row.editId), !stick) << row.labelKey;
    }
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}

// Not possible under Wine here: DirectInput cannot be made to fail without stopping the
// program from starting. The editor shows the error and closes without loading or saving.
TEST_F(InputEditorTest, DISABLED_ADirectInputFailureClosesTheEditor) {
    auto main = Launch();
    ASSERT_TRUE(main);
    ASSERT_TRUE(main->PostClick(ids::kInputSettings));
    const HWND box = PollFor([&] { return FindMessageBox(main->Pid(), nullptr); }, kWaitMs);
    ASSERT_TRUE(box) << "no error shown";
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.caption, EditorText("Error"));
    EXPECT_TRUE(view.text == EditorText("DIError") || view.text == EditorText("KeyboardError") ||
                view.text == EditorText("MouseError"));
    PressMessageBoxButton(box, IDOK);
    ASSERT_TRUE(PressAndWaitForExit(*main, ids::kCancel));
    EXPECT_FALSE(FileExists(Paths().UserIni()));
}
