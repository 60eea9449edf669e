#pragma once
// The one process-wide input object: the key name tables, the scan-code table of the
// current layout, the device source and the devices' last states. Created on the first
// request and kept until the process ends, so the DirectInput devices set up by the first
// input editor serve every later one.

#include "InputDevices.h"
#include "KeyNames.h"
#include "KeyboardLayout.h"

#include <memory>

struct InputContext {
    InputContext();

    KeyNameTable keyNames;
    // Every entry 0 until LoadKeyboardLayout fills it.
    ScanCodeTable scanCodeTable{};
    // Never null; tests may replace it with scripted devices.
    std::unique_ptr<InputDevices> devices;
    // The states of the last successful polls.
    KeyboardState keyboardState;
    MouseState mouseState;
    PadState padState;
};

// The one instance, created on the first call; null if it cannot be had (the next call
// tries again).
InputContext* GetInputContext();

// Reads the keyboard and then the mouse into the context's states. False when either read
// gave no state (a lost device is acquired again by the read).
bool PollKeyboardAndMouse(InputContext& context);

// Reads the first pad that answers into the context's pad state; false when none answers.
bool PollPad(InputContext& context);
