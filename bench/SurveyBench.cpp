// Times one SurveyHardware call, as one Auto-detect click costs it; run once per sample.

#include "hardware/HardwareSurvey.h"

#include <windows.h>

#include <chrono>
#include <cstdio>

int main() {
    HWND window = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HardwareSurvey survey;
    const auto start = std::chrono::steady_clock::now();
    const PerformanceLevel level = SurveyHardware(window, survey);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    std::printf("SurveyHardware: %.3f ms (level %d)\n", elapsed.count(), level);
    DestroyWindow(window);
    return level == 0 ? 1 : 0;
}
