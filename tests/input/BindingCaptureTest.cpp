#include "InputTestSupport.h"

#include "config/Text.h"
#include "input/BindingCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using input_test::ScriptedContext;
using input_test::UserFolder;

namespace {

const std::u16string Qwerty = u"InputQWERTY";
const std::u16string Azerty = u"InputAZERTY";
constexpr bool Inside = true;
constexpr bool Outside = false;

// What a step gave, as one comparable text: "-", "refused" or the key name.
std::string Describe(const CaptureResult& result) {
    switch (result.outcome) {
    case CaptureOutcome::None:
        return "-";
    case CaptureOutcome::Refused:
        return "refused";
    case CaptureOutcome::Bound:
        break;
    }
    EXPECT_EQ(KeyCodeToName(result.keyCode), result.keyName);
    return Utf16ToUtf8(result.keyName);
}

class CaptureTest : public ScriptedContext {
protected:
    // A capture that has already seen the double click's button released.
    void StartArmed() {
        capture.Start();
        capture.KeyboardStep(*context, Inside, Qwerty);
        ASSERT_TRUE(capture.IsArmed());
    }

    std::string Step(const std::u16string& layout = Qwerty, bool inside = Inside) {
        return Describe(capture.KeyboardStep(*context, inside, layout));
    }

    // Holds the keys for one poll of a fresh, armed capture.
    std::string PressKeys(std::initializer_list<int> scanCodes,
                          const std::u16string& layout = Qwerty) {
        StartArmed();
        for (const int scanCode : scanCodes)
            devices->PressKey(scanCode);
        const std::string result = Step(layout);
        devices->ReleaseAll();
        return result;
    }

    BindingCapture capture;
};

struct KeyCase {
    int scanCode;
    const char* expected;
    const char16_t* layout = u"InputQWERTY";
};

} // namespace

TEST_F(CaptureTest, KeyboardScanOrderSteps) {
    // clang-format off
    const KeyCase cases[] = {
        // The digit row.
        {0x02, "IK_1"}, {0x06, "IK_5"}, {0x0A, "IK_9"}, {0x0B, "IK_0"},
        // Q ... P, without I.
        {0x10, "IK_Q"}, {0x11, "IK_W"}, {0x12, "IK_E"}, {0x13, "IK_R"}, {0x14, "IK_T"},
        {0x15, "IK_Y"}, {0x16, "IK_U"}, {0x17, "refused"}, {0x18, "IK_O"}, {0x19, "IK_P"},
        // A ... L, without J.
        {0x1E, "IK_A"}, {0x1F, "IK_S"}, {0x20, "IK_D"}, {0x21, "IK_F"}, {0x22, "IK_G"},
        {0x23, "IK_H"}, {0x24, "refused"}, {0x25, "IK_K"}, {0x26, "IK_L"},
        // Z ... M, without C and M.
        {0x2C, "IK_Z"}, {0x2D, "IK_X"}, {0x2E, "refused"}, {0x2F, "IK_V"}, {0x30, "IK_B"},
        {0x31, "IK_N"}, {0x32, "refused"},
        // On AZERTY M sits at 0x27, and 0x32 is punctuation.
        {0x32, "-", u"InputAZERTY"}, {0x27, "refused", u"InputAZERTY"}, {0x27, "-"},
        {0x17, "refused", u"InputAZERTY"}, {0x2E, "refused", u"InputAZERTY"},
        {0x32, "refused", u"InputQWERTZ"}, {0x32, "refused", u""},
        // Modifiers and the keys around them.
        {0x1C, "IK_Enter"}, {0x0E, "IK_Backspace"}, {0x0F, "IK_Tab"}, {0x3A, "IK_CapsLock"},
        {0x2A, "IK_LShift"}, {0x36, "IK_RShift"}, {0x1D, "IK_LControl"}, {0x9D, "IK_RControl"},
        {0x38, "IK_Alt"}, {0xB8, "IK_Alt"}, {0x39, "IK_Space"},
        // The navigation block; the codes between its keys map to nothing.
        {0xC7, "IK_Home"}, {0xC8, "IK_Up"}, {0xC9, "IK_PageUp"}, {0xCA, "-"},
        {0xCB, "IK_Left"}, {0xCD, "IK_Right"}, {0xCF, "IK_End"}, {0xD0, "IK_Down"},
        {0xD1, "IK_PageDown"},
        // Function keys.
        {0x3B, "IK_F1"}, {0x44, "IK_F10"}, {0x57, "IK_F11"}, {0x58, "IK_F12"},
        // Never captured.
        {0x01, "-"}, {0xD3, "-"}, {0xD2, "-"}, {0x52, "-"}, {0x4E, "-"}, {0x37, "-"},
        {0x9C, "-"}, {0xB5, "-"}, {0x0C, "-"}, {0x0D, "-"}, {0x1A, "-"},
        {0x28, "-"}, {0x29, "-"}, {0x2B, "-"}, {0x33, "-"}, {0x35, "-"}, {0x45, "-"},
        {0x46, "-"}, {0xC5, "-"}, {0xB7, "-"}, {0xDB, "-"}, {0x00, "-"}, {0xFF, "-"},
    };
    // clang-format on
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.scanCode << " " << Utf16ToUtf8(c.layout));
        EXPECT_EQ(PressKeys({c.scanCode}, c.layout), c.expected);
        EXPECT_EQ(capture.IsCapturing(), std::string(c.expected) == "-");
    }
}

TEST_F(CaptureTest, FirstPressedKeyInScanOrderDecides) {
    const struct {
        std::initializer_list<int> keys;
        const char* expected;
        const char16_t* layout = u"InputQWERTY";
    } cases[] = {
        {{0x39, 0x02}, "IK_1"},              // Space after the digits
        {{0x58, 0x1C}, "IK_Enter"},          // F12 after Enter
        {{0x17, 0x10}, "IK_Q"},              // I after Q in its row
        {{0x17, 0x1E}, "refused"},           // the Q row before the A row
        {{0x01, 0xD3, 0x3B}, "IK_F1"},       // keys never captured are passed over
        {{0x32, 0x39}, "-", u"InputAZERTY"}, // 0x32 decides, silently
        {{0x27, 0x39}, "refused", u"InputAZERTY"},
        {{0x27, 0x31}, "IK_N", u"InputAZERTY"}, // the letter rows come first
        {{0x27, 0x39}, "IK_Space"},             // 0x27 is not searched elsewhere
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "first key " << std::hex << *c.keys.begin());
        EXPECT_EQ(PressKeys(c.keys, c.layout), c.expected);
    }
}

TEST_F(CaptureTest, MouseButtonsInOrder) {
    const char* expected[] = {"IK_LeftMouse", "IK_RightMouse", "IK_MiddleMouse", "IK_Mouse4",
                              "IK_Mouse5",    "IK_Mouse6",     "IK_Mouse7",      "IK_Mouse8"};
    for (int button = 0; button < 8; ++button) {
        StartArmed();
        devices->PressButton(button);
        EXPECT_EQ(Step(), expected[button]) << button;
        devices->ReleaseAll();
    }
    StartArmed();
    devices->PressButton(2);
    devices->PressButton(1);
    EXPECT_EQ(Step(), "IK_RightMouse");
    devices->ReleaseAll();
    // A key wins over a button.
    StartArmed();
    devices->PressButton(0);
    devices->PressKey(0x39);
    EXPECT_EQ(Step(), "IK_Space");
}

TEST_F(CaptureTest, TheDoubleClicksButtonIsNotTaken) {
    capture.Start();
    EXPECT_FALSE(capture.IsArmed());
    devices->PressButton(0); // still held from the double click
    EXPECT_EQ(Step(), "-");
    EXPECT_EQ(Step(), "-");
    devices->ReleaseButton(0);
    EXPECT_EQ(Step(), "-");
    EXPECT_TRUE(capture.IsArmed());
    devices->PressButton(0);
    EXPECT_EQ(Step(), "IK_LeftMouse");
    EXPECT_FALSE(capture.IsCapturing());
}

TEST_F(CaptureTest, LeftClickOutsideTheFieldIsNeverTaken) {
    StartArmed();
    devices->PressButton(0);
    EXPECT_EQ(Step(Qwerty, Outside), "-");
    EXPECT_FALSE(capture.IsArmed());
    EXPECT_EQ(Step(Qwerty, Inside), "-"); // dragged back inside, still the same click
    devices->ReleaseButton(0);
    EXPECT_EQ(Step(Qwerty, Outside), "-");
    devices->PressButton(1); // other buttons are taken wherever the cursor is
    EXPECT_EQ(Step(Qwerty, Outside), "IK_RightMouse");
}

TEST_F(CaptureTest, ButtonsHeldAtTheStartCountFromTheSecondPoll) {
    capture.Start();
    devices->PressButton(1);
    EXPECT_EQ(Step(), "-");
    EXPECT_EQ(Step(), "IK_RightMouse");
}

TEST_F(CaptureTest, KeysCountEvenBeforeArming) {
    capture.Start();
    devices->PressButton(0);
    devices->PressKey(0x10);
    EXPECT_EQ(Step(), "IK_Q");
}

TEST_F(CaptureTest, LostOrFailedPollsGiveNothingAndKeepTheArming) {
    capture.Start();
    devices->PressButton(0);
    devices->mouseResult = PollResult::InputLost;
    EXPECT_EQ(Step(), "-");
    EXPECT_EQ(devices->reacquired, 1);
    EXPECT_FALSE(capture.IsArmed()); // the double click's button was not seen released
    EXPECT_EQ(Step(), "-");
    devices->ReleaseAll();
    devices->keyboardResult = PollResult::Failed;
    devices->PressKey(0x10);
    EXPECT_EQ(Step(), "-");
    EXPECT_EQ(Step(), "-");
    EXPECT_TRUE(capture.IsCapturing());
    devices->keyboardResult = PollResult::InputLost;
    EXPECT_EQ(Step(), "-");
    EXPECT_EQ(Step(), "IK_Q");
}

TEST_F(CaptureTest, StoppedCaptureTakesNothing) {
    StartArmed();
    capture.Stop();
    devices->PressKey(0x10);
    EXPECT_EQ(Step(), "-");
    devices->pad = PadState{PadButton::A, 0, 0};
    EXPECT_EQ(Describe(capture.GamepadStep(*context)), "-");
}

TEST_F(CaptureTest, LayoutSectionRemapsScanCodes) {
    UserFolder folder;
    folder.Write("DIMapping", "[InputAZERTY]\r\nDIK_Q=IK_A\r\nDIK_A=IK_Q\r\nDIK_W=IK_Z\r\n");
    LoadKeyboardLayout(context->scanCodeTable, folder.store.get(), Azerty);
    EXPECT_EQ(PressKeys({0x10}, Azerty), "IK_A");
    EXPECT_EQ(PressKeys({0x1E}, Azerty), "IK_Q");
    EXPECT_EQ(PressKeys({0x11}, Azerty), "IK_Z");
    // Without the section the same keys are the US ones.
    UserFolder none;
    LoadKeyboardLayout(context->scanCodeTable, none.store.get(), Azerty);
    EXPECT_EQ(PressKeys({0x10}, Azerty), "IK_Q");
}

TEST(GamepadCode, ButtonsInOrder) {
    const struct {
        uint16_t buttons;
        uint8_t leftTrigger;
        uint8_t rightTrigger;
        int32_t expected;
    } cases[] = {
        {PadButton::A, 0, 0, 136},
        {PadButton::B, 0, 0, 137},
        {PadButton::X, 0, 0, 138},
        {PadButton::Y, 0, 0, 139},
        {PadButton::DigitDown, 0, 0, 143},
        {PadButton::DigitUp, 0, 0, 142},
        {PadButton::DigitLeft, 0, 0, 144},
        {PadButton::DigitRight, 0, 0, 145},
        {PadButton::LeftShoulder, 0, 0, 148},
        {PadButton::LeftThumb, 0, 0, 146},
        {PadButton::RightShoulder, 0, 0, 149},
        {PadButton::RightThumb, 0, 0, 147},
        {0, 1, 0, 150},
        {0, 0, 1, 151},
        {0, 255, 255, 150},
        {PadButton::A | PadButton::X, 0, 0, 136},
        {PadButton::DigitUp | PadButton::DigitDown, 0, 0, 143},
        {PadButton::LeftThumb | PadButton::LeftShoulder, 0, 0, 148},
        {PadButton::RightThumb | PadButton::RightShoulder, 0, 0, 149},
        {PadButton::RightThumb, 255, 0, 147},
        {PadButton::Start, 0, 0, 0},
        {PadButton::Back, 0, 0, 0},
        {PadButton::Start | PadButton::Back, 0, 0, 0},
        {0x0400 | 0x0800, 0, 0, 0}, // masks no pad button uses
        {0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GamepadCode(PadState{c.buttons, c.leftTrigger, c.rightTrigger}), c.expected)
            << std::hex << c.buttons << " " << int(c.leftTrigger) << " " << int(c.rightTrigger);
    }
}

TEST_F(CaptureTest, GamepadCapture) {
    capture.Start();
    EXPECT_EQ(Describe(capture.GamepadStep(*context)), "-"); // no pad answers
    EXPECT_TRUE(capture.IsCapturing());
    devices->pad = PadState{PadButton::Start | PadButton::Back, 0, 0};
    EXPECT_EQ(Describe(capture.GamepadStep(*context)), "-");
    EXPECT_EQ(Describe(capture.GamepadStep(*context)), "-");
    devices->pad = PadState{PadButton::A | PadButton::X | PadButton::Start, 0, 0};
    EXPECT_EQ(Describe(capture.GamepadStep(*context)), "IK_Pad_A_CROSS");
    EXPECT_FALSE(capture.IsCapturing());

    // The first poll after the double click is not taken.
    capture.Start();
    devices->pad = PadState{0, 0, 3};
    EXPECT_EQ(Describe(capture.GamepadStep(*context)), "-");
    EXPECT_EQ(Describe(capture.GamepadStep(*context)), "IK_Pad_RightTrigger");
}
