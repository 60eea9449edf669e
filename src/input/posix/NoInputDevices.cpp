// Outside Windows there is no DirectInput: the editor's set-up fails at its first step and
// no pad ever answers. The portable logic is tested with scripted devices instead.

#include "input/InputDevices.h"

namespace {

class NoInputDevices : public InputDevices {
public:
    InputSetupResult Initialise(void*) override { return InputSetupResult::DirectInputFailed; }
    bool IsReady() const override { return false; }
    bool UseWindow(void*) override { return false; }
    PollResult PollKeyboard(KeyboardState&) override { return PollResult::Failed; }
    PollResult PollMouse(MouseState&) override { return PollResult::Failed; }
    bool PollPad(PadState&) override { return false; }
};

} // namespace

std::unique_ptr<InputDevices> CreatePlatformInputDevices() {
    return std::make_unique<NoInputDevices>();
}
