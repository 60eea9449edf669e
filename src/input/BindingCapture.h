#pragma once
// The decisions of one binding field while it captures: which key, mouse button or pad
// control the player pressed, which keys are refused, and when the mouse and the pad may be
// taken. The field (a Win32 edit control) only feeds polled device states and its own
// messages into a BindingCapture and shows the result.

#include "InputDevices.h"
#include "KeyboardLayout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct InputContext;

struct KeyboardScan {
    // A key that carries a fixed binding was pressed: warn the player.
    bool refused = false;
    // The key that was taken, if any.
    std::optional<uint8_t> scanCode;
};

// The first pressed key of the capture order decides: the digit row, the three letter rows
// (the keys of I, J, C and M refused, which gives no scan code), Enter, Backspace, Tab, Caps
// Lock, Shift, Ctrl, Alt, Space, the navigation block, F1-F12. With layoutName "InputAZERTY",
// 0x32 (a punctuation key there) gives nothing, and 0x27 (M there) is refused after the
// letter rows while the search goes on with Enter and the keys after it. Other keys are never
// captured.
KeyboardScan ScanKeyboard(const KeyboardState& keyboard, std::u16string_view layoutName);

// 1, 2, 3, 193-197 for the first pressed of the eight buttons; 0 for none.
int32_t MouseButtonCode(const MouseState& mouse);

// The first pressed of A, B, X, Y, the pad's down, up, left, right, the left shoulder, left
// thumb, right shoulder, right thumb, then the left and right trigger (any non-zero value);
// 0 for none. Start, Back and the sticks are never captured.
int32_t GamepadCode(const PadState& pad);

// Neither flag set: keep capturing. Both may be set by one poll: the warning comes first.
struct CaptureResult {
    // A refused key: the capture ended; show the warning.
    bool refused = false;
    // The capture ended with keyCode / keyName; the page still checks for duplicates.
    bool bound = false;
    int32_t keyCode = 0;
    std::u16string keyName;
};

class BindingCapture {
public:
    // The double click on an enabled field. Starts disarmed, so the left button of that
    // double click is not taken: the mouse and the pad count only once a poll has seen the
    // left button up.
    void Start() {
        m_capturing = true;
        m_armed = false;
    }
    // Focus gained or lost: the capture ends without a result.
    void Stop() { m_capturing = false; }

    bool IsCapturing() const { return m_capturing; }
    bool IsArmed() const { return m_armed; }

    // One poll in keyboard mode. keyboard and mouse are null when the poll gave no state
    // (the capture only re-arms then). cursorInField: the cursor lies within the field's
    // formatting rectangle; a left button pressed outside it disarms, so it is never taken.
    // A key wins over a mouse button, also a key that the layout leaves unmapped, which binds
    // "IK_None" (key code 0). A refused key does not: an armed button is still taken.
    CaptureResult KeyboardStep(const KeyboardState* keyboard, const MouseState* mouse,
                               bool cursorInField, const ScanCodeTable& table,
                               std::u16string_view layoutName);
    // One poll in gamepad mode; pad is null when no pad answered. The field keeps polling
    // (a 10 ms timer) while IsCapturing().
    CaptureResult GamepadStep(const PadState* pad);

    // The same, polling the context's devices into its states and using its table.
    CaptureResult KeyboardStep(InputContext& context, bool cursorInField,
                               std::u16string_view layoutName);
    CaptureResult GamepadStep(InputContext& context);

private:
    void Bind(CaptureResult& result, int32_t keyCode);

    bool m_capturing = false;
    bool m_armed = true;
};
