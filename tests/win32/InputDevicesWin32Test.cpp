#include "input/InputContext.h"
#include "input/InputDevices.h"

#include <windows.h>

#include "HiddenWindow.h"

#include <gtest/gtest.h>

namespace {

// F13: no dialog reacts to it and the binding capture never takes it, so injecting it
// disturbs no other test sharing the display.
constexpr WORD HarmlessScanCode = 0x64;

void SendScanCode(WORD scanCode, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = KEYEVENTF_SCANCODE | (up ? KEYEVENTF_KEYUP : 0);
    SendInput(1, &input, sizeof(input));
}

// Polls until the key is seen in the wanted position; injected input arrives within a few
// milliseconds, the bound only keeps a broken run from hanging.
bool WaitForKey(InputDevices& devices, int scanCode, bool down) {
    for (int attempt = 0; attempt < 400; ++attempt) {
        KeyboardState state;
        if (devices.PollKeyboard(state) == PollResult::Ok && state.IsDown(scanCode) == down)
            return true;
        Sleep(5);
    }
    return false;
}

} // namespace

TEST(InputDevicesWin32, KeyboardAndMouseAreCreatedAndRead) {
    HiddenWindow window;
    ASSERT_NE(window.Get(), nullptr);
    const auto devices = CreatePlatformInputDevices();
    EXPECT_FALSE(devices->IsReady());
    ASSERT_EQ(devices->Initialise(window.Get()), InputSetupResult::Ok);
    EXPECT_TRUE(devices->IsReady());

    KeyboardState keyboard;
    keyboard.keys.fill(0x55);
    EXPECT_EQ(devices->PollKeyboard(keyboard), PollResult::Ok);
    EXPECT_EQ(keyboard.keys[0], 0); // no key has scan code 0
    MouseState mouse;
    mouse.buttons.fill(0x55);
    EXPECT_EQ(devices->PollMouse(mouse), PollResult::Ok);
    for (const uint8_t button : mouse.buttons)
        EXPECT_TRUE(button == 0 || button == 0x80) << int(button);
}

// The devices outlive the editor window they were made for: each new window takes them over,
// and they read injected keys from then on. Initialising again replaces them.
TEST(InputDevicesWin32, ANewWindowTakesTheDevicesOver) {
    const auto devices = CreatePlatformInputDevices();
    HiddenWindow second;
    EXPECT_FALSE(devices->UseWindow(second.Get()));
    {
        HiddenWindow first;
        ASSERT_EQ(devices->Initialise(first.Get()), InputSetupResult::Ok);
    }
    ASSERT_TRUE(devices->UseWindow(second.Get()));
    SendScanCode(HarmlessScanCode, false);
    EXPECT_TRUE(WaitForKey(*devices, HarmlessScanCode, true));
    SendScanCode(HarmlessScanCode, true);
    EXPECT_TRUE(WaitForKey(*devices, HarmlessScanCode, false));
    ASSERT_EQ(devices->Initialise(second.Get()), InputSetupResult::Ok);
    KeyboardState keyboard;
    EXPECT_EQ(devices->PollKeyboard(keyboard), PollResult::Ok);
}

TEST(InputDevicesWin32, NoPadAnswers) {
    const auto devices = CreatePlatformInputDevices();
    PadState pad{0x1234, 7, 9};
    EXPECT_FALSE(devices->PollPad(pad));
    EXPECT_EQ(pad.buttons, 0x1234); // untouched
}

TEST(InputDevicesWin32, UninitialisedDevicesGiveNoState) {
    const auto devices = CreatePlatformInputDevices();
    KeyboardState keyboard;
    MouseState mouse;
    EXPECT_EQ(devices->PollKeyboard(keyboard), PollResult::Failed);
    EXPECT_EQ(devices->PollMouse(mouse), PollResult::Failed);
}

TEST(InputDevicesWin32, TheContextHoldsTheRealSource) {
    InputContext* context = GetInputContext();
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context, GetInputContext());
    HiddenWindow window;
    EXPECT_FALSE(context->devices->IsReady());
    ASSERT_EQ(context->devices->Initialise(window.Get()), InputSetupResult::Ok);
    EXPECT_TRUE(PollKeyboardAndMouse(*context));
    EXPECT_FALSE(PollPad(*context));
}
