#pragma once
// Input devices whose states a test sets directly: the keyboard, mouse and pad "hold" what
// the test pressed until it releases them.

#include "input/InputDevices.h"

#include <optional>

class ScriptedInputDevices : public InputDevices {
public:
    InputSetupResult Initialise(void*) override {
        m_ready = setupResult == InputSetupResult::Ok;
        ++initialiseCalls;
        return setupResult;
    }
    bool IsReady() const override { return m_ready; }
    bool UseWindow(void*) override { return m_ready; }

    PollResult PollKeyboard(KeyboardState& out) override {
        return Poll(keyboardResult, keyboard, out);
    }
    PollResult PollMouse(MouseState& out) override { return Poll(mouseResult, mouse, out); }
    bool PollPad(PadState& out) override {
        if (pad)
            out = *pad;
        return pad.has_value();
    }

    void PressKey(int scanCode) { keyboard.keys[scanCode] = 0x80; }
    void ReleaseKey(int scanCode) { keyboard.keys[scanCode] = 0; }
    void PressButton(int button) { mouse.buttons[button] = 0x80; }
    void ReleaseButton(int button) { mouse.buttons[button] = 0; }
    void ReleaseAll() {
        keyboard = {};
        mouse = {};
        if (pad)
            pad = PadState{};
    }

    // What the next Initialise reports.
    InputSetupResult setupResult = InputSetupResult::Ok;
    int initialiseCalls = 0;
    // InputLost is reported once, as a real device that was acquired again; Failed stays.
    PollResult keyboardResult = PollResult::Ok;
    PollResult mouseResult = PollResult::Ok;
    KeyboardState keyboard;
    MouseState mouse;
    // Empty: no pad answers.
    std::optional<PadState> pad;
    int reacquired = 0;

private:
    template <class State> PollResult Poll(PollResult& next, const State& state, State& out) {
        const PollResult result = next;
        if (result == PollResult::InputLost) {
            next = PollResult::Ok;
            ++reacquired;
        }
        if (result == PollResult::Ok)
            out = state;
        return result;
    }

    bool m_ready = false;
};
