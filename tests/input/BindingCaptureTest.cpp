#include "InputTestSupport.h"

#include "input/BindingCapture.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

using input_test::ScriptedContext;

namespace {

const std::u16string Qwerty = u"InputQWERTY";
constexpr bool Inside = true;
constexpr bool Outside = false;

// What a step gave, as one comparable text: "-", "refused", the key name, or both.
std::string Describe(const CaptureResult& result) {
    if (!result.bound)
        return result.refused ? "refused" : "-";
    EXPECT_EQ(KeyCodeToName(result.keyCode), result.keyName);
    return (result.refused ? "refused " : "") + Utf16ToUtf8(result.keyName);
}

class CaptureTest : public ScriptedContext {
protected:
    // A capture that has already seen the double click's button released.
    void StartArmed() {
        capture.Start();
        capture.KeyboardStep(*context, Inside, Qwerty);
        ASSERT_TRUE(capture.IsArmed());
    }

    std::string Step(bool inside = Inside, const std::u16string& layout = Qwerty) {
        return Describe(capture.KeyboardStep(*context, inside, layout));
    }
    std::string PadStep() { return Describe(capture.GamepadStep(*context)); }

    // Holds the keys and buttons for one poll of a fresh, armed capture.
    std::string Press(const std::vector<int>& keys, const std::u16string& layout = Qwerty,
                      const std::vector<int>& buttons = {}) {
        StartArmed();
        for (const int scanCode : keys)
            devices->PressKey(scanCode);
        for (const int button : buttons)
            devices->PressButton(button);
        const std::string result = Step(Inside, layout);
        devices->ReleaseAll();
        return result;
    }

    BindingCapture capture;
};

} // namespace

TEST_F(CaptureTest, WhatOnePollTakes) {
    const struct {
        std::vector<int> keys;
        const char* expected;
        const char16_t* layout = u"InputQWERTY";
        std::vector<int> buttons = {};
    } cases[] = {
        // clang-format off
        // The first and last key of each block of the capture order; 0xCA is unmapped, which
        // is still a key: "IK_None".
        {{0x02}, "IK_1"}, {{0x0B}, "IK_0"}, {{0x10}, "IK_Q"}, {{0x19}, "IK_P"}, {{0x1E}, "IK_A"},
        {{0x26}, "IK_L"}, {{0x2C}, "IK_Z"}, {{0x31}, "IK_N"}, {{0xC7}, "IK_Home"},
        {{0xCA}, "IK_None"},
        {{0xD1}, "IK_PageDown"}, {{0x3B}, "IK_F1"}, {{0x44}, "IK_F10"}, {{0x57}, "IK_F11"},
        {{0x58}, "IK_F12"},
        // Modifiers and the keys around them, each a block of its own.
        {{0x1C}, "IK_Enter"}, {{0x0E}, "IK_Backspace"}, {{0x0F}, "IK_Tab"}, {{0x3A}, "IK_CapsLock"},
        {{0x2A}, "IK_LShift"}, {{0x36}, "IK_RShift"}, {{0x1D}, "IK_LControl"},
        {{0x9D}, "IK_RControl"}, {{0x38}, "IK_Alt"}, {{0xB8}, "IK_Alt"}, {{0x39}, "IK_Space"},
        // The keys of I, J, C and M are refused; on AZERTY M sits at 0x27 and 0x32 is
        // punctuation.
        {{0x17}, "refused"}, {{0x24}, "refused"}, {{0x2E}, "refused"}, {{0x32}, "refused"},
        {{0x32}, "-", u"InputAZERTY"}, {{0x27}, "refused", u"InputAZERTY"}, {{0x27}, "-"},
        {{0x17}, "refused", u"InputAZERTY"}, {{0x2E}, "refused", u"InputAZERTY"},
        {{0x32}, "refused", u"InputQWERTZ"}, {{0x32}, "refused", u""},
        // The first pressed key in the capture order decides.
        {{0x39, 0x02}, "IK_1"},                 // Space after the digits
        {{0x58, 0x1C}, "IK_Enter"},             // F12 after Enter
        {{0x17, 0x10}, "IK_Q"},                 // I after Q in its row
        {{0x17, 0x1E}, "refused"},              // the Q row before the A row
        {{0x01, 0xD3, 0x3B}, "IK_F1"},          // keys never captured are passed over
        {{0x32, 0x39}, "-", u"InputAZERTY"},    // 0x32 decides, silently
        {{0x27, 0x39}, "refused IK_Space", u"InputAZERTY"}, // refused, the search goes on
        {{0x27, 0x31}, "IK_N", u"InputAZERTY"}, // the letter rows come first
        {{0x27, 0x39}, "IK_Space"},             // 0x27 is not searched elsewhere
        // A key wins over a button, even an unmapped one; a refused key does not.
        {{0x39}, "IK_Space", u"InputQWERTY", {0}}, {{0xCA}, "IK_None", u"InputQWERTY", {1}},
        {{0x17}, "refused IK_RightMouse", u"InputQWERTY", {1}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.keys.front() << " " << c.keys.size() << " "
                                        << Utf16ToUtf8(c.layout));
        EXPECT_EQ(Press(c.keys, c.layout, c.buttons), c.expected);
        EXPECT_EQ(capture.IsCapturing(), std::string(c.expected) == "-");
    }
    for (const int never : {0x00, 0x01, 0x0C, 0x0D, 0x1A, 0x1B, 0x28, 0x29, 0x2B, 0x33, 0x35, 0x37,
                            0x45, 0x46, 0x4E, 0x52, 0x9C, 0xB5, 0xB7, 0xC5, 0xD2, 0xD3, 0xDB, 0xFF})
        EXPECT_EQ(Press({never}), "-") << std::hex << never;
    // The key's name comes from the context's layout.
    context->scanCodeTable[0x10] = KeyNameToCode(u"IK_A");
    EXPECT_EQ(Press({0x10}), "IK_A");
}

TEST_F(CaptureTest, MouseButtonsInOrder) {
    const char* order[] = {"IK_LeftMouse", "IK_RightMouse", "IK_MiddleMouse", "IK_Mouse4",
                           "IK_Mouse5",    "IK_Mouse6",     "IK_Mouse7",      "IK_Mouse8"};
    for (int first = 0; first < 8; ++first) {
        std::vector<int> held;
        for (int button = 7; button >= first; --button)
            held.push_back(button);
        EXPECT_EQ(Press({}, Qwerty, held), order[first]) << first;
    }
}

// A capture poll by poll. Before each poll the test holds exactly the buttons and keys named
// (L and R: the left and right button, Q: the key Q) and sets what the polls report; "start"
// is the double click that begins a capture, "stop" the field losing the focus.
TEST_F(CaptureTest, PollByPoll) {
    constexpr PollResult Ok = PollResult::Ok;
    constexpr PollResult Lost = PollResult::InputLost;
    const struct {
        const char* held;
        const char* expected = "";
        bool inside = true;
        PollResult mouse = PollResult::Ok;
        PollResult keyboard = PollResult::Ok;
    } polls[] = {
        // clang-format off
        // The double click's button is not taken, only a later click.
        {"start"}, {"L", "-"}, {"L", "-"}, {"", "-"}, {"L", "IK_LeftMouse"},
        // Another button held at the start counts from the second poll, a key at once.
        {"start"}, {"R", "-"}, {"R", "IK_RightMouse"}, {"start"}, {"LQ", "IK_Q"},
        // A left click outside the field disarms until it is released, wherever it is
        // dragged; other buttons are taken wherever the cursor is.
        {"start"}, {"", "-"}, {"L", "-", Outside}, {"L", "-"}, {"", "-", Outside},
        {"R", "IK_RightMouse", Outside},
        // Lost or failed polls give nothing, but arm as a poll without a button does.
        {"start"}, {"L", "-", Inside, Lost}, {"L", "IK_LeftMouse"},
        {"start"}, {"Q", "-", Inside, Ok, PollResult::Failed},
        {"Q", "-", Inside, Ok, Lost}, {"Q", "IK_Q"},
        // A stopped capture takes nothing.
        {"start"}, {"stop"}, {"Q", "-"},
        // clang-format on
    };
    for (size_t i = 0; i < std::size(polls); ++i) {
        const std::string held = polls[i].held;
        if (held == "start") {
            capture.Start();
            continue;
        }
        if (held == "stop") {
            capture.Stop();
            continue;
        }
        devices->ReleaseAll();
        for (const char c : held) {
            if (c == 'Q')
                devices->PressKey(0x10);
            else
                devices->PressButton(c == 'L' ? 0 : 1);
        }
        devices->mouseResult = polls[i].mouse;
        devices->keyboardResult = polls[i].keyboard;
        EXPECT_EQ(Step(polls[i].inside), polls[i].expected) << "poll " << i << " holding " << held;
    }
}

// Everything held at first; each step releases the control that won the step before.
TEST(GamepadCode, ButtonsThenTriggersInOrder) {
    const struct {
        uint16_t mask;
        const char16_t* name;
    } order[] = {
        // clang-format off
        {PadButton::A, u"IK_Pad_A_CROSS"}, {PadButton::B, u"IK_Pad_B_CIRCLE"},
        {PadButton::X, u"IK_Pad_X_SQUARE"}, {PadButton::Y, u"IK_Pad_Y_TRIANGLE"},
        {PadButton::DigitDown, u"IK_Pad_DigitDown"}, {PadButton::DigitUp, u"IK_Pad_DigitUp"},
        {PadButton::DigitLeft, u"IK_Pad_DigitLeft"}, {PadButton::DigitRight, u"IK_Pad_DigitRight"},
        {PadButton::LeftShoulder, u"IK_Pad_LeftShoulder"}, {PadButton::LeftThumb, u"IK_Pad_LeftThumb"},
        {PadButton::RightShoulder, u"IK_Pad_RightShoulder"},
        {PadButton::RightThumb, u"IK_Pad_RightThumb"},
        // clang-format on
    };
    PadState pad{0xFFFF, 1, 255}; // any non-zero trigger value counts
    for (const auto& o : order) {
        EXPECT_EQ(KeyCodeToName(GamepadCode(pad)), o.name) << std::hex << pad.buttons;
        pad.buttons = static_cast<uint16_t>(pad.buttons & ~o.mask);
    }
    EXPECT_EQ(KeyCodeToName(GamepadCode(pad)), u"IK_Pad_LeftTrigger");
    pad.leftTrigger = 0;
    EXPECT_EQ(KeyCodeToName(GamepadCode(pad)), u"IK_Pad_RightTrigger");
    pad.rightTrigger = 0;
    // Start, Back and the masks no pad button uses are never captured.
    EXPECT_EQ(GamepadCode(pad), 0) << std::hex << pad.buttons;
}

TEST_F(CaptureTest, GamepadCapture) {
    capture.Start();
    EXPECT_EQ(PadStep(), "-"); // no pad answers
    EXPECT_TRUE(capture.IsCapturing());
    devices->pad = PadState{PadButton::Start | PadButton::Back, 0, 0};
    EXPECT_EQ(PadStep(), "-");
    EXPECT_EQ(PadStep(), "-");
    devices->pad = PadState{PadButton::A | PadButton::X | PadButton::Start, 0, 0};
    EXPECT_EQ(PadStep(), "IK_Pad_A_CROSS");
    EXPECT_FALSE(capture.IsCapturing());

    // The first poll after the double click is not taken.
    capture.Start();
    devices->pad = PadState{0, 0, 3};
    EXPECT_EQ(PadStep(), "-");
    EXPECT_EQ(PadStep(), "IK_Pad_RightTrigger");
    // A stopped capture takes nothing.
    capture.Start();
    capture.Stop();
    EXPECT_EQ(PadStep(), "-");
    EXPECT_EQ(PadStep(), "-");
}
