#include "config/ConfigTestSupport.h"
#include "config/Text.h"
#include "input/BindingCapture.h"
#include "input/InputContext.h"
#include "ScriptedInputDevices.h"

#include <gtest/gtest.h>

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

    // One poll holding what data/capture-polls.txt spells; what it gives, spelled the same way.
    std::string Poll(const std::string& held) {
        devices->ReleaseAll();
        devices->pad = PadState{};
        devices->mouseResult = devices->keyboardResult = PollResult::Ok;
        std::u16string layout = u"InputQWERTY";
        bool inside = true;
        bool pad = false;
        std::istringstream tokens(held);
        for (std::string token; tokens >> token;) {
            if (token == "-")
                continue;
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

// Each poll of data/capture-polls.txt.
TEST_F(CaptureTest, PollByPoll) {
    for (const Case& c : ReadCases(TEST_DATA("capture-polls.txt"))) {
        const bool fresh = c[0].starts_with('!');
        if (fresh) {
            capture.Start();
            Poll("");
        }
        EXPECT_EQ(Poll(c[0].substr(fresh)), c[1]) << c[0];
        EXPECT_TRUE(!fresh || capture.IsCapturing() == (c[1] == "-"));
    }
    context->scanCodeTable[0x10] = KeyNameToCode(u"IK_A"); // names come from the context's layout
    capture.Start();
    Poll("");
    EXPECT_EQ(Poll("10"), "IK_A");
}
