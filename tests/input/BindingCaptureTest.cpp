#include "config/Text.h"
#include "input/BindingCapture.h"
#include "input/InputContext.h"
#include "input/ScriptedInputDevices.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>

namespace {

// Scripted devices and the built-in layout in the InputContext; the platform's devices after.
class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        context->devices = std::make_unique<ScriptedInputDevices>();
        devices = static_cast<ScriptedInputDevices*>(context->devices.get());
        ApplyDefaultKeyboardLayout(context->scanCodeTable);
    }
    void TearDown() override { context->devices = CreatePlatformInputDevices(); }

    // One poll holding keys (scan codes), mouse buttons M0-M7, or after "pad" pad masks and LT,
    // RT ("none": no pad); also "out" of the field, AZERTY, QWERTZ, NOLAYOUT, failed or lost
    // reads, the double click ("start"), the focus leaving ("stop"). Gives "-", "refused", a name.
    std::string Poll(const std::string& held) {
        devices->ReleaseAll();
        devices->pad = PadState{};
        devices->mouseResult = devices->keyboardResult = PollResult::Ok;
        std::u16string layout = u"InputQWERTY";
        bool inside = true;
        bool pad = false;
        std::istringstream tokens(held);
        for (std::string token; tokens >> token;) {
            if (token == "pad")
                pad = true;
            else if (token == "none")
                devices->pad.reset();
            else if (token == "out")
                inside = false;
            else if (token == "start" || token == "stop")
                token == "start" ? capture.Start() : capture.Stop();
            else if (token.find('-') != std::string::npos)
                (token[0] == 'm' ? devices->mouseResult : devices->keyboardResult) =
                    token.ends_with("lost") ? PollResult::InputLost : PollResult::Failed;
            else if (token.size() > 4)
                layout = token == "NOLAYOUT" ? u"" : u"Input" + Widen(token);
            else if (token[1] == 'T')
                (token[0] == 'L' ? devices->pad->leftTrigger : devices->pad->rightTrigger) = 1;
            else if (token[0] == 'M')
                devices->PressButton(token[1] - '0');
            else if (pad)
                devices->pad->buttons |= static_cast<uint16_t>(std::stoi(token, nullptr, 16));
            else
                devices->PressKey(std::stoi(token, nullptr, 16));
        }
        const CaptureResult result =
            pad ? capture.GamepadStep(*context) : capture.KeyboardStep(*context, inside, layout);
        EXPECT_EQ(KeyCodeToName(result.keyCode), result.bound ? result.keyName : u"IK_None");
        const std::string name = result.bound ? Utf16ToUtf8(result.keyName) : "";
        return result.refused ? (name.empty() ? "refused" : "refused " + name)
                              : (name.empty() ? "-" : name);
    }

    InputContext* context = GetInputContext();
    ScriptedInputDevices* devices = nullptr;
    BindingCapture capture;
};

} // namespace

// Polls as above; "!" first starts a capture and lets it see no button.
TEST_F(CaptureTest, PollByPoll) {
    const std::pair<const char*, const char*> polls[] = {
        // clang-format off
        // The ends of each block of the capture order; 0xCA is unmapped, still a key.
        {"!02", "IK_1"}, {"!0B", "IK_0"}, {"!10", "IK_Q"}, {"!19", "IK_P"}, {"!1E", "IK_A"},
        {"!26", "IK_L"}, {"!2C", "IK_Z"}, {"!31", "IK_N"}, {"!C7", "IK_Home"}, {"!CA", "IK_None"},
        {"!D1", "IK_PageDown"}, {"!3B", "IK_F1"}, {"!44", "IK_F10"}, {"!57", "IK_F11"},
        {"!58", "IK_F12"}, {"!1C", "IK_Enter"}, {"!0E", "IK_Backspace"}, {"!0F", "IK_Tab"},
        {"!3A", "IK_CapsLock"}, {"!2A", "IK_LShift"}, {"!36", "IK_RShift"}, {"!1D", "IK_LControl"},
        {"!9D", "IK_RControl"}, {"!38", "IK_Alt"}, {"!B8", "IK_Alt"}, {"!39", "IK_Space"},
        // I, J, C and M are refused; on AZERTY M sits at 0x27 and 0x32 is punctuation.
        {"!17", "refused"}, {"!24", "refused"}, {"!2E", "refused"}, {"!32", "refused"},
        {"!AZERTY 32", "-"}, {"!AZERTY 27", "refused"}, {"!27", "-"}, {"!AZERTY 17", "refused"},
        {"!AZERTY 2E", "refused"}, {"!QWERTZ 32", "refused"}, {"!NOLAYOUT 32", "refused"},
        // The first key in the capture order decides; others are passed over; AZERTY's M last.
        {"!39 02", "IK_1"}, {"!58 1C", "IK_Enter"}, {"!17 10", "IK_Q"}, {"!17 1E", "refused"},
        {"!00 01 0C 0D 1A 1B 28 29 2B 33 35 37 45 46 4E 52 9C B5 B7 C5 D2 D3 DB FF", "-"},
        {"!01 D3 3B", "IK_F1"}, {"!AZERTY 32 39", "-"}, {"!AZERTY 27 39", "refused IK_Space"},
        {"!AZERTY 27 31", "IK_N"}, {"!27 39", "IK_Space"},
        // A key wins over a button, even an unmapped one; a refused key does not.
        {"!39 M0", "IK_Space"}, {"!CA M1", "IK_None"}, {"!17 M1", "refused IK_RightMouse"},
        // Of two mouse buttons or pad controls the first in order wins.
        {"!M6 M7", "IK_Mouse7"}, {"!M5 M6", "IK_Mouse6"}, {"!M4 M5", "IK_Mouse5"},
        {"!M7", "IK_Mouse8"}, {"!M3 M4", "IK_Mouse4"}, {"!M2 M3", "IK_MiddleMouse"},
        {"!M1 M2", "IK_RightMouse"}, {"!M0 M1", "IK_LeftMouse"},
        {"!pad 1000 2000", "IK_Pad_A_CROSS"}, {"!pad 2000 4000", "IK_Pad_B_CIRCLE"},
        {"!pad 4000 8000", "IK_Pad_X_SQUARE"}, {"!pad 8000 0002", "IK_Pad_Y_TRIANGLE"},
        {"!pad 0002 0001", "IK_Pad_DigitDown"}, {"!pad 0001 0004", "IK_Pad_DigitUp"},
        {"!pad 0004 0008", "IK_Pad_DigitLeft"}, {"!pad 0008 0100", "IK_Pad_DigitRight"},
        {"!pad 0100 0040", "IK_Pad_LeftShoulder"}, {"!pad 0040 0200", "IK_Pad_LeftThumb"},
        {"!pad 0200 0080", "IK_Pad_RightShoulder"}, {"!pad 0080 LT", "IK_Pad_RightThumb"},
        {"!pad LT RT", "IK_Pad_LeftTrigger"}, {"!pad RT", "IK_Pad_RightTrigger"},
        {"!pad 0C30", "-"}, // Start, Back and the masks no control uses
        // Not the double click's button, only a later click; another from the next poll.
        {"start M0", "-"}, {"M0", "-"}, {"", "-"}, {"M0", "IK_LeftMouse"}, {"start M1", "-"},
        {"M1", "IK_RightMouse"}, {"start M0 10", "IK_Q"},
        // A left click outside disarms until released; other buttons count anywhere.
        {"start", "-"}, {"M0 out", "-"}, {"M0", "-"}, {"out", "-"}, {"M1 out", "IK_RightMouse"},
        // Lost or failed reads give nothing, but arm as a poll without a button does.
        {"start M0 mouse-lost", "-"}, {"M0", "IK_LeftMouse"}, {"start 10 keys-failed", "-"},
        {"10 keys-lost", "-"}, {"10", "IK_Q"},
        // The pad's first poll is not taken, nor Start (0x10) and Back (0x20); no pad arms too.
        {"start pad none", "-"}, {"pad 0030", "-"}, {"pad 5010", "IK_Pad_A_CROSS"},
        {"start pad RT", "-"}, {"pad RT", "IK_Pad_RightTrigger"},
        // A stopped capture takes nothing.
        {"start stop 10", "-"}, {"start stop pad", "-"}, {"pad 1000", "-"},
        // clang-format on
    };
    for (size_t i = 0; i < std::size(polls); ++i) {
        const std::string held = polls[i].first;
        const bool fresh = held.starts_with('!');
        if (fresh) {
            capture.Start();
            Poll("");
        }
        EXPECT_EQ(Poll(held.substr(fresh)), polls[i].second) << i << ": " << held;
        EXPECT_TRUE(!fresh || capture.IsCapturing() == (std::string(polls[i].second) == "-"));
    }
    context->scanCodeTable[0x10] = KeyNameToCode(u"IK_A"); // names come from the context's layout
    capture.Start();
    Poll("");
    EXPECT_EQ(Poll("10"), "IK_A");
}
