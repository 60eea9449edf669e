#pragma once
// Input devices whose states a test sets directly: each poll gives what the members hold.

#include "input/InputDevices.h"

#include <optional>

struct ScriptedInputDevices : InputDevices {
    InputSetupResult Initialise(void*) override { return InputSetupResult::Ok; }
    bool IsReady() const override { return true; }
    bool UseWindow(void*) override { return true; }
    PollResult PollKeyboard(KeyboardState& out) override { return Read(keysResult, keyboard, out); }
    PollResult PollMouse(MouseState& out) override { return Read(mouseResult, mouse, out); }
    bool PollPad(PadState& out) override {
        if (pad)
            out = *pad;
        return pad.has_value();
    }

    template <class State> static PollResult Read(PollResult result, const State& in, State& out) {
        if (result == PollResult::Ok)
            out = in;
        return result;
    }

    PollResult keysResult = PollResult::Ok, mouseResult = PollResult::Ok;
    KeyboardState keyboard;
    MouseState mouse;
    std::optional<PadState> pad = PadState{}; // empty: no pad answers
};
