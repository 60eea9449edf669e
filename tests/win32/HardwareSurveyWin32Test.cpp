#include "hardware/HardwareSurvey.h"
#include "hardware/win32/OleFunctions.h"
#include "hardware/win32/WmiVariant.h"

#include <windows.h>

#include <gtest/gtest.h>

// Surveys the machine with a focus window for Direct3D that is never shown.
static PerformanceLevel Survey(HardwareSurvey& survey) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64,
                                        nullptr, nullptr, nullptr, nullptr);
    const PerformanceLevel level = SurveyHardware(window, survey);
    DestroyWindow(window);
    return level;
}

// WMI and Direct3D 9 answer: a level by the record, the same on a second Auto-detect (COM security
// already set); a thread in a single-threaded apartment cannot join the multithreaded one: 0.
TEST(SurveyHardwareWin32, ClassifiesTheMachineEachTimeOrFails) {
    HardwareSurvey first, second;
    const PerformanceLevel level = Survey(first);
    EXPECT_TRUE(level >= 1 && level <= 3 && level == ClassifyHardware(first)) << level;
    EXPECT_TRUE(first.processors > 0 && first.systemMemoryMb > 0 && first.videoMemoryMb > 0)
        << first.processors << " " << first.systemMemoryMb << " " << first.videoMemoryMb;
    EXPECT_EQ(Survey(second), level);
    EXPECT_EQ(second.processors, first.processors);
    EXPECT_EQ(second.systemMemoryMb, first.systemMemoryMb);
    ComFunctions com;
    ASSERT_TRUE(com.Load());
    ASSERT_EQ(com.initialise(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_EQ(Survey(second), 0);
    com.uninitialise();
}

// The adapter hands the portable reading a VARIANT's bits, or a BSTR's text; a null BSTR is 0.
TEST(VariantToUnsigned, ReadsTheBitsOrTheTextOfAVariant) {
    AutomationFunctions automation;
    ASSERT_TRUE(automation.Load());
    VARIANT number{}, text{}, none{};
    number.vt = VT_UI8;
    number.ullVal = 8589934592;
    text.vt = none.vt = VT_BSTR;
    text.bstrVal = automation.allocString(L"4294967296");
    EXPECT_EQ(VariantToUnsigned(number, automation), 8589934592u);
    EXPECT_EQ(VariantToUnsigned(text, automation), 4294967296u);
    EXPECT_EQ(VariantToUnsigned(none, automation), 0u);
    automation.variantClear(&text);
}
