#include "input/InputContext.h"
#include "input/InputDevices.h"

#include <windows.h>

#include <gtest/gtest.h>

// A top-level window that is never shown, for DirectInput to cooperate with.
static HWND HiddenWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                           nullptr, nullptr);
}

// Presses or releases F13, which no dialog reacts to and the capture never takes, and polls
// until the devices see it; injected input arrives within milliseconds.
static bool Inject(InputDevices& devices, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = 0x64;
    input.ki.dwFlags = KEYEVENTF_SCANCODE | (down ? 0 : KEYEVENTF_KEYUP);
    SendInput(1, &input, sizeof(input));
    KeyboardState state;
    for (int attempt = 0; attempt < 400; ++attempt, Sleep(5))
        if (devices.PollKeyboard(state) == PollResult::Ok && state.IsDown(0x64) == down)
            return true;
    return false;
}

// The context's devices are the real ones: nothing to read before their set-up, and no pad
// here (the state stays as it was); then the keyboard and the mouse states are read.
TEST(InputDevicesWin32, TheContextsDevicesAreSetUpAndRead) {
    InputContext* context = GetInputContext();
    ASSERT_TRUE(context != nullptr && context == GetInputContext());
    InputDevices& devices = *context->devices;
    const HWND window = HiddenWindow();
    context->padState = PadState{0x1234, 7, 9};
    EXPECT_FALSE(devices.IsReady() || devices.UseWindow(window) || PollPad(*context) ||
                 PollKeyboardAndMouse(*context));
    EXPECT_EQ(devices.PollMouse(context->mouseState), PollResult::Failed);
    EXPECT_EQ(context->padState.buttons, 0x1234);
    ASSERT_EQ(devices.Initialise(window), InputSetupResult::Ok);
    context->keyboardState.keys.fill(0x55);
    context->mouseState.buttons.fill(0x55);
    EXPECT_TRUE(devices.IsReady() && PollKeyboardAndMouse(*context) && !PollPad(*context));
    EXPECT_EQ(context->keyboardState.keys[0], 0); // no key has scan code 0
    for (const uint8_t button : context->mouseState.buttons)
        EXPECT_TRUE(button == 0 || button == 0x80) << int(button);
}

// The devices outlive the editor window they were made for: each new window takes them over,
// and they read injected keys from then on. Initialising again replaces them.
TEST(InputDevicesWin32, ANewWindowTakesTheDevicesOver) {
    const auto devices = CreatePlatformInputDevices();
    const HWND first = HiddenWindow(), second = HiddenWindow();
    ASSERT_EQ(devices->Initialise(first), InputSetupResult::Ok);
    DestroyWindow(first);
    ASSERT_TRUE(devices->UseWindow(second));
    EXPECT_TRUE(Inject(*devices, true) && Inject(*devices, false));
    ASSERT_EQ(devices->Initialise(second), InputSetupResult::Ok);
    EXPECT_TRUE(Inject(*devices, true) && Inject(*devices, false));
}
