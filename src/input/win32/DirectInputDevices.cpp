// The real devices: DirectInput 8 for the system keyboard and mouse, XInput for pads.
//
// dinput8 is loaded by the first Initialise and XInput (xinput1_3, else a later version) by
// the first PollPad, not with the program: only the input editor needs them. dinput8 stays as
// long as the devices, which keep DirectInput for the whole process, and is freed after they
// are released. XInput stays until the process ends: its pad watching thread can outlive a
// FreeLibrary and crash in the freed code (seen under Wine). A library that cannot be loaded
// fails as its first call failing would: DirectInput cannot be created, no pad answers.

#include "input/InputDevices.h"

#include "system/ComPtr.h"
#include "system/SystemLibrary.h"

#include <windows.h>
#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>
#include <xinput.h>

namespace {

constexpr DWORD PadCount = 4;

class DirectInputDevices : public InputDevices {
public:
    InputSetupResult Initialise(void* window) override {
        Release();
        const HWND hwnd = static_cast<HWND>(window);
        if (!FindDirectInput() ||
            FAILED(m_directInput8Create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION,
                                        IID_IDirectInput8W, m_directInput.ReceiveVoid(), nullptr)))
            return Fail(InputSetupResult::DirectInputFailed);
        if (!CreateDevice(GUID_SysKeyboard, c_dfDIKeyboard, hwnd, m_keyboard))
            return Fail(InputSetupResult::KeyboardFailed);
        if (!CreateDevice(GUID_SysMouse, c_dfDIMouse2, hwnd, m_mouse))
            return Fail(InputSetupResult::MouseFailed);
        return InputSetupResult::Ok;
    }

    bool IsReady() const override { return m_directInput && m_keyboard && m_mouse; }

    bool UseWindow(void* window) override {
        return IsReady() && Cooperate(m_keyboard, static_cast<HWND>(window)) &&
               Cooperate(m_mouse, static_cast<HWND>(window));
    }

    PollResult PollKeyboard(KeyboardState& out) override {
        return Poll(m_keyboard, out.keys.data(), sizeof(out.keys));
    }

    PollResult PollMouse(MouseState& out) override {
        DIMOUSESTATE2 state{};
        static_assert(sizeof(state) == sizeof(MouseState));
        const PollResult result = Poll(m_mouse, &state, sizeof(state));
        if (result == PollResult::Ok) {
            out.x = state.lX;
            out.y = state.lY;
            out.z = state.lZ;
            for (size_t i = 0; i < out.buttons.size(); ++i)
                out.buttons[i] = state.rgbButtons[i];
        }
        return result;
    }

    bool PollPad(PadState& out) override {
        if (!FindXInput())
            return false;
        for (DWORD pad = 0; pad < PadCount; ++pad) {
            XINPUT_STATE state{};
            if (m_xInputGetState(pad, &state) == ERROR_SUCCESS) {
                out.buttons = state.Gamepad.wButtons;
                out.leftTrigger = state.Gamepad.bLeftTrigger;
                out.rightTrigger = state.Gamepad.bRightTrigger;
                return true;
            }
        }
        return false;
    }

private:
    // A missing library is looked for again at the next Initialise, which only a new editor
    // runs.
    bool FindDirectInput() {
        if (m_directInput8Create != nullptr)
            return true;
        m_dinput8 = SystemLibrary(L"dinput8.dll");
        return m_dinput8.Find("DirectInput8Create", m_directInput8Create);
    }

    // Pads are polled every few milliseconds: a missing library is looked for once only.
    // xinput1_3 comes with the DirectX redistributable, which Windows 10 and 11 lack unless
    // a game installed it; they have the later ones.
    bool FindXInput() {
        if (!m_xInputSought) {
            m_xInputSought = true;
            for (const wchar_t* name : {L"xinput1_3.dll", L"xinput1_4.dll", L"xinput9_1_0.dll"}) {
                m_xinput = SystemLibrary(name);
                if (m_xinput)
                    break;
            }
            m_xinput.KeepForProcess();
            m_xinput.Find("XInputGetState", m_xInputGetState);
        }
        return m_xInputGetState != nullptr;
    }

    bool CreateDevice(REFGUID guid, const DIDATAFORMAT& format, HWND window,
                      ComPtr<IDirectInputDevice8W>& device) {
        return SUCCEEDED(m_directInput->CreateDevice(guid, device.Receive(), nullptr)) &&
               SUCCEEDED(device->SetDataFormat(&format)) && Cooperate(device, window);
    }

    // The cooperative level can only change while the device is not acquired.
    static bool Cooperate(const ComPtr<IDirectInputDevice8W>& device, HWND window) {
        device->Unacquire();
        return SUCCEEDED(
                   device->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND)) &&
               SUCCEEDED(device->Acquire());
    }

    // A device that lost its input, or was never acquired again after it, is acquired for
    // the next poll; this one has no state.
    static PollResult Poll(const ComPtr<IDirectInputDevice8W>& device, void* buffer, DWORD size) {
        if (!device)
            return PollResult::Failed;
        const HRESULT hr = device->GetDeviceState(size, buffer);
        if (SUCCEEDED(hr))
            return PollResult::Ok;
        if (hr == DIERR_INPUTLOST || hr == DIERR_NOTACQUIRED) {
            device->Acquire();
            return PollResult::InputLost;
        }
        return PollResult::Failed;
    }

    InputSetupResult Fail(InputSetupResult result) {
        Release();
        return result;
    }

    // Devices before the interface that made them.
    void Release() {
        m_mouse.Reset();
        m_keyboard.Reset();
        m_directInput.Reset();
    }

    // The libraries first, so that they are freed after everything made from them.
    SystemLibrary m_dinput8;
    decltype(&DirectInput8Create) m_directInput8Create = nullptr;
    SystemLibrary m_xinput;
    decltype(&XInputGetState) m_xInputGetState = nullptr;
    bool m_xInputSought = false;

    ComPtr<IDirectInput8W> m_directInput;
    ComPtr<IDirectInputDevice8W> m_keyboard;
    ComPtr<IDirectInputDevice8W> m_mouse;
};

} // namespace

std::unique_ptr<InputDevices> CreatePlatformInputDevices() {
    return std::make_unique<DirectInputDevices>();
}
