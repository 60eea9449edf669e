#pragma once
// The device states the input editor polls, and the source that reads them: DirectInput 8
// for the keyboard and the mouse, XInput for pads on Windows; a scripted source in tests.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

// One byte per DirectInput scan code; a key is down when bit 7 is set.
struct KeyboardState {
    std::array<uint8_t, 256> keys{};
    bool IsDown(int scanCode) const { return (keys[scanCode] & 0x80) != 0; }
};

// DirectInput's extended mouse record: three axes, then eight buttons (down when bit 7 is
// set). Only the buttons are used.
struct MouseState {
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    std::array<uint8_t, 8> buttons{};
    bool IsDown(int button) const { return (buttons[button] & 0x80) != 0; }
};
static_assert(sizeof(MouseState) == 20);

// XInput button masks.
namespace PadButton {
constexpr uint16_t DigitUp = 0x0001;
constexpr uint16_t DigitDown = 0x0002;
constexpr uint16_t DigitLeft = 0x0004;
constexpr uint16_t DigitRight = 0x0008;
constexpr uint16_t Start = 0x0010;
constexpr uint16_t Back = 0x0020;
constexpr uint16_t LeftThumb = 0x0040;
constexpr uint16_t RightThumb = 0x0080;
constexpr uint16_t LeftShoulder = 0x0100;
constexpr uint16_t RightShoulder = 0x0200;
constexpr uint16_t A = 0x1000;
constexpr uint16_t B = 0x2000;
constexpr uint16_t X = 0x4000;
constexpr uint16_t Y = 0x8000;
} // namespace PadButton

// The part of a pad's XInput state that is used: the button mask and the triggers (0-255).
struct PadState {
    uint16_t buttons = 0;
    uint8_t leftTrigger = 0;
    uint8_t rightTrigger = 0;
};

enum class PollResult {
    Ok,        // the state was read
    InputLost, // the device had lost its input and was acquired again; no state this time
    Failed,    // no state
};

// Which step of the set-up failed; the editor shows a message per step.
enum class InputSetupResult { Ok, DirectInputFailed, KeyboardFailed, MouseFailed };

// The language-file key of a set-up failure: "DIError", "KeyboardError", "MouseError";
// empty for Ok.
std::u16string_view SetupErrorTextKey(InputSetupResult result);

class InputDevices {
public:
    virtual ~InputDevices() = default;

    // Creates the DirectInput interface, then the keyboard, then the mouse (each with its
    // data format, non-exclusive background cooperation for window, an HWND, and acquired),
    // replacing any created before. Stops at the first step that fails; IsReady() is then
    // false.
    virtual InputSetupResult Initialise(void* window) = 0;
    // True when the interface and both devices exist.
    virtual bool IsReady() const = 0;
    // Hands devices that are ready over to a new window (the window they cooperate with must
    // live while they do): each is unacquired, given window and acquired again. False when a
    // step fails or nothing is ready.
    virtual bool UseWindow(void* window) = 0;

    // Read the current state into out; out is untouched unless the result is Ok. A device
    // that had lost its input is acquired again (InputLost).
    virtual PollResult PollKeyboard(KeyboardState& out) = 0;
    virtual PollResult PollMouse(MouseState& out) = 0;
    // Asks pads 0 to 3 in order; true with the state of the first that answers, false when
    // none does (out untouched). Needs no Initialise.
    virtual bool PollPad(PadState& out) = 0;
};

// The platform's source: DirectInput and XInput on Windows; elsewhere a source that never
// initialises and has no pad. Creating it touches no device.
std::unique_ptr<InputDevices> CreatePlatformInputDevices();
