#pragma once
// A top-level window that is never shown: Direct3D needs a focus window and DirectInput a
// window to cooperate with.

#include <windows.h>

class HiddenWindow {
public:
    HiddenWindow()
        : m_window(CreateWindowExW(0, L"STATIC", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~HiddenWindow() {
        if (m_window != nullptr)
            DestroyWindow(m_window);
    }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};
