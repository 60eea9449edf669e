#include "hardware/HardwareSurvey.h"
#include "hardware/win32/OleFunctions.h"
#include "hardware/win32/WmiVariant.h"

#include <windows.h>
#include <io.h>

#include "HiddenWindow.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <string>

namespace {

// Runs the survey with standard error sent to a file, and gives back what was written.
PerformanceLevel SurveyCapturingErrors(HWND window, HardwareSurvey& survey, std::string& errors) {
    char path[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "srv", 0, path);
    std::fflush(stderr);
    const int saved = _dup(2);
    const int file = _open(path, _O_WRONLY | _O_TRUNC | _O_BINARY);
    _dup2(file, 2);
    const PerformanceLevel level = SurveyHardware(window, survey);
    std::fflush(stderr);
    _dup2(saved, 2);
    _close(saved);
    _close(file);
    errors.clear();
    if (FILE* in = std::fopen(path, "rb")) {
        char buffer[512];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
            errors.append(buffer, n);
        std::fclose(in);
    }
    DeleteFileA(path);
    return level;
}

void PrintRecord(const char* what, PerformanceLevel level, const HardwareSurvey& s) {
    std::printf("%s: level %d, processors %u, system memory %u MB, video memory %u MB, mobile %d\n",
                what, level, s.processors, s.systemMemoryMb, s.videoMemoryMb, s.mobile ? 1 : 0);
}

void ExpectSound(PerformanceLevel level, const HardwareSurvey& survey) {
    if (level == 0)
        return; // a survey may fail; the dialog then changes nothing
    EXPECT_GE(level, 1);
    EXPECT_LE(level, 3);
    EXPECT_GT(survey.processors, 0u);
    EXPECT_GT(survey.systemMemoryMb, 0u);
    EXPECT_EQ(level, ClassifyHardware(survey));
}

} // namespace

TEST(SurveyHardwareWin32, ClassifiesTheMachineOrFails) {
    HiddenWindow window;
    ASSERT_NE(window.Get(), nullptr);
    HardwareSurvey survey;
    std::string errors;
    const PerformanceLevel level = SurveyCapturingErrors(window.Get(), survey, errors);
    PrintRecord("measured", level, survey);
    std::printf("standard error: \"%s\"\n", errors.c_str());
    ExpectSound(level, survey);
    if (level != 0) {
        EXPECT_EQ(errors, "");
    }
}

// Auto-detect may be clicked again: the process's COM security is then already set.
TEST(SurveyHardwareWin32, ASecondSurveyInTheSameProcessMeasuresAgain) {
    HiddenWindow window;
    ASSERT_NE(window.Get(), nullptr);
    HardwareSurvey first;
    HardwareSurvey second;
    const PerformanceLevel firstLevel = SurveyHardware(window.Get(), first);
    std::string errors;
    const PerformanceLevel secondLevel = SurveyCapturingErrors(window.Get(), second, errors);
    PrintRecord("first", firstLevel, first);
    PrintRecord("second", secondLevel, second);
    ExpectSound(secondLevel, second);
    if (firstLevel != 0) {
        EXPECT_EQ(secondLevel, firstLevel) << errors;
        EXPECT_EQ(second.processors, first.processors);
        EXPECT_EQ(second.systemMemoryMb, first.systemMemoryMb);
    }
}

// A thread already in a single-threaded apartment cannot join the multithreaded one: the
// survey fails with one line, the code in lower case without leading zeros.
TEST(SurveyHardwareWin32, AFailureWritesOneLineAndGivesZero) {
    ComFunctions com;
    ASSERT_TRUE(com.Load());
    ASSERT_EQ(com.initialise(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    HiddenWindow window;
    HardwareSurvey survey;
    std::string errors;
    const PerformanceLevel level = SurveyCapturingErrors(window.Get(), survey, errors);
    com.uninitialise();
    PrintRecord("in a single-threaded apartment", level, survey);
    EXPECT_EQ(level, 0);
    EXPECT_EQ(errors, "Failed to initialize COM library. Error code = 0x80010106\n");
}

TEST(VariantToUnsigned, ReadsWhateverTypeWmiHandsBack) {
    AutomationFunctions automation;
    ASSERT_TRUE(automation.Load());
    struct Case {
        const char* name;
        VARIANT value;
        uint64_t expected;
    };
    auto make = [&](VARTYPE type) {
        VARIANT v;
        automation.variantInit(&v);
        v.vt = type;
        return v;
    };
    Case cases[] = {
        {"empty", make(VT_EMPTY), 0},    {"null", make(VT_NULL), 0},
        {"I4 8", make(VT_I4), 8},        {"UI4 max", make(VT_UI4), 0xFFFFFFFF},
        {"UI8 8 GiB", make(VT_UI8), 0},  {"I4 negative", make(VT_I4), 0},
        {"R8 4.0", make(VT_R8), 0},      {"BSTR 4 GiB", make(VT_BSTR), 4294967296ull},
        {"BSTR null", make(VT_BSTR), 0}, {"BSTR not digits", make(VT_BSTR), 0},
        {"UI1 200", make(VT_UI1), 200},  {"I2 12", make(VT_I2), 12},
    };
    cases[2].value.lVal = 8;
    cases[3].value.ulVal = 0xFFFFFFFF;
    cases[4].value.ullVal = 8589934592ull;
    cases[4].expected = 8589934592ull;
    cases[5].value.lVal = -3;
    cases[6].value.dblVal = 4.0;
    cases[7].value.bstrVal = automation.allocString(L"4294967296");
    cases[8].value.bstrVal = nullptr;
    cases[9].value.bstrVal = automation.allocString(L"many");
    cases[10].value.bVal = 200;
    cases[11].value.iVal = 12;
    for (Case& c : cases) {
        EXPECT_EQ(VariantToUnsigned(c.value, automation), c.expected) << c.name;
        automation.variantClear(&c.value);
    }
}
