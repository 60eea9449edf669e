// Capturing a binding: a double click on a field, then a real key press or mouse click that
// the program reads through DirectInput; refused and ignored keys, and keys bound twice.

#include "ControlIds.h"
#include "Files.h"
#include "InputEditorDriver.h"
#include "WideText.h"
#include "resource.h"

namespace {

// DirectInput scan codes of the keys the tests press.
constexpr WORD kEscape = 0x01;
constexpr WORD kR = 0x13;
constexpr WORD kT = 0x14;
constexpr WORD kI = 0x17;
constexpr WORD kG = 0x22;
constexpr WORD kJ = 0x24;
constexpr WORD kAzertyM = 0x27;
constexpr WORD kLeftShift = 0x2A;
constexpr WORD kC = 0x2E;
constexpr WORD kM = 0x32;
constexpr WORD kRightShift = 0x36;
constexpr WORD kLeftAlt = 0x38;
constexpr WORD kNumPad5 = 0x4C;
constexpr WORD kRightAlt = 0xB8; // extended
constexpr WORD kDelete = 0xD3;   // extended

// Long enough for many polls of a held key that must not be taken.
constexpr DWORD kIgnoredHoldMs = 300;

// Only Block is bound on the QWERTY pages, so captures meet no duplicates.
const char kOnlyBlock[] = "\xEF\xBB\xBF[InputQWERTY]\r\nIK_F1=(GameKey=\"GI_Block\",Value=1)\r\n";

std::string Written(const std::string& gameInput) {
    return "(Gamekey=" + gameInput + ",Value=1.000000)";
}

} // namespace

class InputCaptureTest : public InputEditorTest {
protected:
    HWND KeyboardField(int editId) { return Editor().Field(EditorPage::Keyboard, editId); }
    std::wstring FieldText(int editId) { return Editor().PageText(EditorPage::Keyboard, editId); }

    // Double-clicks the keyboard field and holds the key until the field shows expected.
    bool CaptureKey(int editId, WORD scanCode, bool extended, const std::wstring& expected) {
        Editor().DoubleClickField(EditorPage::Keyboard, editId);
        const bool shown = Editor().HoldKey(
            KeyboardField(editId), scanCode, extended,
            [&] { return FieldText(editId) == expected; }, kWaitMs);
        if (!shown)
            ADD_FAILURE() << "the field shows \"" << WideToUtf8(FieldText(editId))
                          << "\" instead of \"" << WideToUtf8(expected) << "\"";
        return shown;
    }

    bool MessageBoxShown() { return FindMessageBox(Editor().Pid(), nullptr) != nullptr; }

    // Double-clicks the keyboard field and holds the key until a message box shows; answers
    // it with buttonId and checks that it is the warning of textKey.
    void CaptureKeyToBox(int editId, WORD scanCode, bool extended, int buttonId,
                         const std::string& textKey) {
        Editor().DoubleClickField(EditorPage::Keyboard, editId);
        EXPECT_TRUE(Editor().HoldKey(
            KeyboardField(editId), scanCode, extended, [&] { return MessageBoxShown(); }, kWaitMs));
        const auto box = Editor().AnswerMessageBox(buttonId, kWaitMs);
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(box->caption, EditorText("Warning"));
        EXPECT_EQ(box->text, EditorText(textKey));
    }

    // Presses the mouse button at a screen point while the field captures.
    bool Click(int editId, POINT at, DWORD down, DWORD up, const std::wstring& expected,
               DWORD timeoutMs = kWaitMs) {
        const bool shown = Editor().HoldButton(
            KeyboardField(editId), at, down, up, [&] { return FieldText(editId) == expected; },
            timeoutMs);
        if (!shown && timeoutMs == kWaitMs)
            ADD_FAILURE() << "the field shows \"" << WideToUtf8(FieldText(editId))
                          << "\" instead of \"" << WideToUtf8(expected) << "\"";
        return shown;
    }
};

// A key pressed after the double click replaces the binding. A key bound to another action of
// the page asks first: No keeps both, Yes moves it. OK while a field captures only ends the
// capture (the field loses the focus, the click is swallowed); the next one closes the editor
// and writes what the fields show.
TEST_F(InputCaptureTest, AKeyIsCapturedMovedAndSaved) {
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_EQ(FieldText(IDC_EDIT_BLOCK), EditorText("IK_E"));
    EXPECT_TRUE(CaptureKey(IDC_EDIT_BLOCK, kG, false, EditorText("IK_G")));

    CaptureKeyToBox(IDC_EDIT_BLOCK, kR, false, IDNO, "AlreadyBound");
    EXPECT_EQ(FieldText(IDC_EDIT_BLOCK), EditorText("IK_G"));
    EXPECT_EQ(FieldText(IDC_EDIT_USEITEM), EditorText("IK_R"));
    CaptureKeyToBox(IDC_EDIT_BLOCK, kR, false, IDYES, "AlreadyBound");
    EXPECT_EQ(FieldText(IDC_EDIT_BLOCK), EditorText("IK_R"));
    EXPECT_EQ(FieldText(IDC_EDIT_USEITEM), L"");

    Editor().DoubleClickField(EditorPage::Keyboard, IDC_EDIT_BLOCK);
    ASSERT_TRUE(
        PollFor([&] { return Editor().FocusWindow() == KeyboardField(IDC_EDIT_BLOCK); }, kWaitMs));
    ASSERT_TRUE(Editor().ClickButton(IDOK));
    ASSERT_TRUE(PollFor([&] { return Editor().FocusWindow() == Editor().Item(IDOK); }, kWaitMs));
    // A sent message is handled only once the click has been.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(Editor().Handle(), WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &ignored);
    EXPECT_TRUE(Editor().IsOpen());
    EXPECT_EQ(FieldText(IDC_EDIT_BLOCK), EditorText("IK_R"));

    ASSERT_TRUE(CloseEditor(IDOK));
    const auto section = UserSection("InputQWERTY");
    ASSERT_TRUE(section);
    EXPECT_EQ(section->count("IK_R") ? section->at("IK_R") : std::vector<std::string>{},
              std::vector<std::string>{Written("GI_Block")});
    EXPECT_EQ(section->count("IK_E") + section->count("IK_G"), 0u);
    FinishProgram();
}

// The keys of I, J, C and M carry fixed bindings: a warning, and the binding stays. Escape,
// Delete and the keypad are never taken: the capture goes on until a key that is, and Escape
// does not close the editor either.
TEST_F(InputCaptureTest, RefusedAndIgnoredKeys) {
    ASSERT_TRUE(OpenEditor(kQwerty));
    for (const auto& [scanCode, name] :
         {std::pair{kI, "I"}, std::pair{kJ, "J"}, std::pair{kC, "C"}, std::pair{kM, "M"}}) {
        SCOPED_TRACE(name);
        CaptureKeyToBox(IDC_EDIT_BLOCK, scanCode, false, IDOK, "InvalidKey");
        EXPECT_EQ(FieldText(IDC_EDIT_BLOCK), EditorText("IK_E"));
    }

    Editor().DoubleClickField(EditorPage::Keyboard, IDC_EDIT_BLOCK);
    for (const auto& [scanCode, extended, name] :
         {std::tuple{kEscape, false, "Escape"}, std::tuple{kDelete, true, "Delete"},
          std::tuple{kNumPad5, false, "NumPad 5"}}) {
        SCOPED_TRACE(name);
        Editor().HoldKey(
            KeyboardField(IDC_EDIT_BLOCK), scanCode, extended, [] { return false; },
            kIgnoredHoldMs);
        EXPECT_EQ(FieldText(IDC_EDIT_BLOCK), EditorText("IK_E"));
        EXPECT_FALSE(MessageBoxShown());
        EXPECT_TRUE(Editor().IsOpen());
    }
    EXPECT_TRUE(Editor().HoldKey(
        KeyboardField(IDC_EDIT_BLOCK), kG, false,
        [&] { return FieldText(IDC_EDIT_BLOCK) == EditorText("IK_G"); }, kWaitMs));

    ASSERT_TRUE(CloseEditor(IDCANCEL));
    ASSERT_TRUE(ReopenEditor(kAzerty));
    CaptureKeyToBox(IDC_EDIT_BLOCK, kAzertyM, false, IDOK, "InvalidKey");
    EXPECT_EQ(FieldText(IDC_EDIT_BLOCK), EditorText("IK_E"));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}

// The left button counts only inside the field; the others anywhere. Both Alt keys give
// "IK_Alt" (the second asks to replace the first); the Shift keys differ.
TEST_F(InputCaptureTest, MouseButtonsAndModifierKeys) {
    WriteUserIni(kOnlyBlock);
    ASSERT_TRUE(OpenEditor(kQwerty));
    ASSERT_EQ(FieldText(IDC_EDIT_ATTACKFAST), L"");

    Editor().DoubleClickField(EditorPage::Keyboard, IDC_EDIT_ATTACKFAST);
    const POINT label =
        CentreOf(GetDlgItem(Editor().Page(EditorPage::Keyboard), IDC_LABEL_ATTACKFAST));
    EXPECT_FALSE(Click(IDC_EDIT_ATTACKFAST, label, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP,
                       EditorText("IK_LeftMouse"), kIgnoredHoldMs));
    EXPECT_EQ(FieldText(IDC_EDIT_ATTACKFAST), L"");
    EXPECT_TRUE(Click(IDC_EDIT_ATTACKFAST, CentreOf(KeyboardField(IDC_EDIT_ATTACKFAST)),
                      MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, EditorText("IK_LeftMouse")));
    Editor().DoubleClickField(EditorPage::Keyboard, IDC_EDIT_ATTACKSTRONG);
    EXPECT_TRUE(Click(IDC_EDIT_ATTACKSTRONG, label, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP,
                      EditorText("IK_RightMouse")));
    Editor().DoubleClickField(EditorPage::Keyboard, IDC_EDIT_LOCKTARGET);
    EXPECT_TRUE(Click(IDC_EDIT_LOCKTARGET, CentreOf(KeyboardField(IDC_EDIT_LOCKTARGET)),
                      MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, EditorText("IK_MiddleMouse")));

    EXPECT_TRUE(CaptureKey(IDC_EDIT_ATTACKFAST, kLeftAlt, false, EditorText("IK_Alt")));
    CaptureKeyToBox(IDC_EDIT_ATTACKSTRONG, kRightAlt, true, IDYES, "AlreadyBound");
    EXPECT_EQ(FieldText(IDC_EDIT_ATTACKSTRONG), EditorText("IK_Alt"));
    EXPECT_EQ(FieldText(IDC_EDIT_ATTACKFAST), L"");
    EXPECT_TRUE(CaptureKey(IDC_EDIT_WALKFLAG, kLeftShift, false, EditorText("IK_LShift")));
    EXPECT_TRUE(CaptureKey(IDC_EDIT_WALKSWITCH, kRightShift, false, EditorText("IK_RShift")));
    EXPECT_FALSE(MessageBoxShown());
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}

// The layout's mapping in "DIMapping" names the key a scan code gives; without a section for
// the layout the built-in US layout does.
TEST_F(InputCaptureTest, TheLayoutNamesTheCapturedKey) {
    ASSERT_TRUE(WriteFileBytes(Paths().ConfigDir() + L"\\DIMapping.ini",
                               "\xEF\xBB\xBF[InputAZERTY]\r\nDIK_T=IK_Y\r\n"));
    ASSERT_TRUE(OpenEditor(kAzerty));
    EXPECT_TRUE(CaptureKey(IDC_EDIT_BLOCK, kT, false, EditorText("IK_Y")));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    ASSERT_TRUE(ReopenEditor(kQwerty));
    EXPECT_TRUE(CaptureKey(IDC_EDIT_BLOCK, kT, false, EditorText("IK_T")));
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    FinishProgram();
}
