#include "BindingCapture.h"

#include "InputContext.h"
#include "KeyNames.h"
#include "KeyboardLayoutTable.h"

#include <iterator>

namespace {

constexpr int32_t LeftMouseCode = 1;

struct ScanRange {
    uint8_t first;
    uint8_t last;
    // Searched on AZERTY only, where it is refused and the search goes on.
    bool azertyOnly = false;
};

// The order in which the keyboard state is searched.
constexpr ScanRange CaptureScanOrder[] = {
    {0x02, 0x0B},       // 1 ... 0
    {0x10, 0x19},       // Q ... P
    {0x1E, 0x26},       // A ... L
    {0x2C, 0x32},       // Z ... M
    {0x27, 0x27, true}, // M on AZERTY
    {0x1C, 0x1C},       // Enter
    {0x0E, 0x0E},       // Backspace
    {0x0F, 0x0F},       // Tab
    {0x3A, 0x3A},       // Caps Lock
    {0x2A, 0x2A},       // left Shift
    {0x36, 0x36},       // right Shift
    {0x1D, 0x1D},       // left Ctrl
    {0x9D, 0x9D},       // right Ctrl
    {0x38, 0x38},       // left Alt
    {0xB8, 0xB8},       // right Alt
    {0x39, 0x39},       // Space
    {0xC7, 0xD1},       // Home ... Page Down
    {0x3B, 0x44},       // F1 ... F10
    {0x57, 0x58},       // F11, F12
};

enum class ScanOutcome {
    None,    // the key decides that nothing is captured
    Refused, // a key that carries a fixed binding
    Key,     // the key is taken
};

struct ReservedKey {
    uint8_t scanCode;
    ScanOutcome outcome;
    ScanOutcome azertyOutcome;
};

// The physical keys of I, J, C and M carry fixed bindings. On AZERTY the M key sits at 0x27
// (see CaptureScanOrder) and 0x32 is a punctuation key, which is simply not captured.
constexpr ReservedKey ReservedKeys[] = {
    {0x17, ScanOutcome::Refused, ScanOutcome::Refused},
    {0x24, ScanOutcome::Refused, ScanOutcome::Refused},
    {0x2E, ScanOutcome::Refused, ScanOutcome::Refused},
    {0x32, ScanOutcome::Refused, ScanOutcome::None},
};

constexpr int32_t MouseButtonCodes[] = {1, 2, 3, 193, 194, 195, 196, 197};
static_assert(std::size(MouseButtonCodes) == std::tuple_size_v<decltype(MouseState::buttons)>);

struct PadButtonCode {
    uint16_t mask;
    int32_t code;
};

// The order in which pad buttons are searched; the triggers come after them.
constexpr PadButtonCode PadButtonCodes[] = {
    {PadButton::A, 136},
    {PadButton::B, 137},
    {PadButton::X, 138},
    {PadButton::Y, 139},
    {PadButton::DigitDown, 143},
    {PadButton::DigitUp, 142},
    {PadButton::DigitLeft, 144},
    {PadButton::DigitRight, 145},
    {PadButton::LeftShoulder, 148},
    {PadButton::LeftThumb, 146},
    {PadButton::RightShoulder, 149},
    {PadButton::RightThumb, 147},
};
constexpr int32_t LeftTriggerCode = 150;
constexpr int32_t RightTriggerCode = 151;

ScanOutcome OutcomeOf(uint8_t scanCode, bool azerty) {
    for (const ReservedKey& key : ReservedKeys) {
        if (key.scanCode == scanCode)
            return azerty ? key.azertyOutcome : key.outcome;
    }
    return ScanOutcome::Key;
}

} // namespace

KeyboardScan ScanKeyboard(const KeyboardState& keyboard, std::u16string_view layoutName) {
    const KeyboardLayoutRow* layout = FindKeyboardLayout(layoutName);
    const bool azerty = layout && layout->mBesideL;
    KeyboardScan scan;
    for (const ScanRange& range : CaptureScanOrder) {
        if (range.azertyOnly && !azerty)
            continue;
        for (int scanCode = range.first; scanCode <= range.last; ++scanCode) {
            if (!keyboard.IsDown(scanCode))
                continue;
            if (range.azertyOnly) {
                scan.refused = true;
                break;
            }
            const auto code = static_cast<uint8_t>(scanCode);
            const ScanOutcome outcome = OutcomeOf(code, azerty);
            if (outcome == ScanOutcome::Refused)
                scan.refused = true;
            else if (outcome == ScanOutcome::Key)
                scan.scanCode = code;
            return scan;
        }
    }
    return scan;
}

int32_t MouseButtonCode(const MouseState& mouse) {
    for (size_t button = 0; button < std::size(MouseButtonCodes); ++button) {
        if (mouse.IsDown(static_cast<int>(button)))
            return MouseButtonCodes[button];
    }
    return 0;
}

int32_t GamepadCode(const PadState& pad) {
    for (const PadButtonCode& button : PadButtonCodes) {
        if (pad.buttons & button.mask)
            return button.code;
    }
    if (pad.leftTrigger != 0)
        return LeftTriggerCode;
    if (pad.rightTrigger != 0)
        return RightTriggerCode;
    return 0;
}

CaptureResult BindingCapture::KeyboardStep(const KeyboardState* keyboard, const MouseState* mouse,
                                           bool cursorInField, const ScanCodeTable& table,
                                           std::u16string_view layoutName) {
    if (!m_capturing)
        return {};
    CaptureResult result;
    // A failed poll saw no button, so it re-arms as an empty one does.
    int32_t buttonCode = 0;
    if (keyboard && mouse) {
        const KeyboardScan scan = ScanKeyboard(*keyboard, layoutName);
        if (scan.refused) {
            m_capturing = false;
            result.refused = true;
        }
        buttonCode = MouseButtonCode(*mouse);
        if (buttonCode == LeftMouseCode && !cursorInField)
            m_armed = false;
        if (scan.scanCode)
            Bind(result, table[*scan.scanCode]);
        else if (m_armed && buttonCode != 0)
            Bind(result, buttonCode);
    }
    if (buttonCode != LeftMouseCode)
        m_armed = true;
    return result;
}

CaptureResult BindingCapture::GamepadStep(const PadState* pad) {
    if (!m_capturing)
        return {};
    const int32_t code = pad ? GamepadCode(*pad) : 0;
    CaptureResult result;
    if (m_armed && code != 0)
        Bind(result, code);
    m_armed = true;
    return result;
}

CaptureResult BindingCapture::KeyboardStep(InputContext& context, bool cursorInField,
                                           std::u16string_view layoutName) {
    if (!m_capturing)
        return {};
    const bool polled = PollKeyboardAndMouse(context);
    return KeyboardStep(polled ? &context.keyboardState : nullptr,
                        polled ? &context.mouseState : nullptr, cursorInField,
                        context.scanCodeTable, layoutName);
}

CaptureResult BindingCapture::GamepadStep(InputContext& context) {
    if (!m_capturing)
        return {};
    return GamepadStep(PollPad(context) ? &context.padState : nullptr);
}

void BindingCapture::Bind(CaptureResult& result, int32_t keyCode) {
    std::u16string name = KeyCodeToName(keyCode);
    if (name.empty())
        return;
    m_capturing = false;
    result.bound = true;
    result.keyCode = keyCode;
    result.keyName = std::move(name);
}
