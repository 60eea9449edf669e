#include "config/ConfigTestSupport.h"
#include "config/Text.h"
#include "input/BindingCapture.h"
#include "input/InputContext.h"
#include "ScriptedInputDevices.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

// Each poll of data/capture-polls.txt, through scripted devices, gives what the file spells.
TEST(CaptureTest, PollByPoll) {
    InputContext* context = GetInputContext();
    context->devices = std::make_unique<ScriptedInputDevices>();
    auto* devices = static_cast<ScriptedInputDevices*>(context->devices.get());
    ApplyDefaultKeyboardLayout(context->scanCodeTable);
    BindingCapture capture;
    const auto poll = [&](const std::string& held) {
        *devices = ScriptedInputDevices(); // nothing held, a pad answers, every read succeeds
        std::u16string layout = u"InputQWERTY";
        bool inside = true, pad = false;
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
                (token[0] == 'm' ? devices->mouseResult : devices->keysResult) =
                    token.ends_with("lost") ? PollResult::InputLost : PollResult::Failed;
            else if (token.size() > 4)
                layout = token == "NOLAYOUT" ? u"" : u"Input" + Widen(token);
            else if (token[1] == 'T')
                (token[0] == 'L' ? devices->pad->leftTrigger : devices->pad->rightTrigger) = 1;
            else if (token[0] == 'M')
                devices->mouse.buttons[token[1] - '0'] = 0x80;
            else if (pad)
                devices->pad->buttons |= static_cast<uint16_t>(std::stoi(token, nullptr, 16));
            else
                devices->keyboard.keys[std::stoi(token, nullptr, 16)] = 0x80;
        }
        const CaptureResult result =
            pad ? capture.GamepadStep(*context) : capture.KeyboardStep(*context, inside, layout);
        EXPECT_EQ(KeyCodeToName(result.keyCode), result.bound ? result.keyName : u"IK_None");
        const std::string name = result.bound ? " " + Utf16ToUtf8(result.keyName) : "";
        return result.refused ? "refused" + name : name.empty() ? "-" : name.substr(1);
    };
    for (const Case& c : ReadCases(TEST_DATA("capture-polls.txt"))) {
        const bool fresh = c[0].starts_with('!');
        if (fresh)
            poll("start");
        EXPECT_EQ(poll(c[0].substr(fresh)), c[1]) << c[0];
        EXPECT_TRUE(!fresh || capture.IsCapturing() == (c[1] == "-"));
    }
    context->scanCodeTable[0x10] = KeyNameToCode(u"IK_A"); // names come from the context's layout
    poll("start");
    EXPECT_EQ(poll("10"), "IK_A");
    context->devices = CreatePlatformInputDevices();
}
