#include "InputDevices.h"

std::u16string_view SetupErrorTextKey(InputSetupResult result) {
    switch (result) {
    case InputSetupResult::DirectInputFailed:
        return u"DIError";
    case InputSetupResult::KeyboardFailed:
        return u"KeyboardError";
    case InputSetupResult::MouseFailed:
        return u"MouseError";
    case InputSetupResult::Ok:
        break;
    }
    return {};
}
