#include "InputContext.h"

#include <new>

InputContext::InputContext() : devices(CreatePlatformInputDevices()) {}

InputContext* GetInputContext() {
    static std::unique_ptr<InputContext> instance;
    if (!instance)
        instance.reset(new (std::nothrow) InputContext());
    return instance.get();
}

bool PollKeyboardAndMouse(InputContext& context) {
    return context.devices->PollKeyboard(context.keyboardState) == PollResult::Ok &&
           context.devices->PollMouse(context.mouseState) == PollResult::Ok;
}

bool PollPad(InputContext& context) {
    return context.devices->PollPad(context.padState);
}
