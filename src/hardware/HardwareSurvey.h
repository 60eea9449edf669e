#pragma once
// What Auto-detect measures and how it classifies the machine. The measuring is platform
// work; the classification is plain logic over the record.

#include <cstdint>
#include <string>

struct HardwareSurvey {
    uint32_t processors = 0;     // NumberOfLogicalProcessors
    uint32_t systemMemoryMb = 0; // sum of the memory modules' Capacity / 2^20
    uint32_t videoMemoryMb = 0;  // available texture memory of a fresh Direct3D 9 device
    bool mobile = false;         // PCSystemType == 2
};

// 0 survey failed, 1 low, 2 medium, 3 high.
using PerformanceLevel = int;

PerformanceLevel ClassifyHardware(const HardwareSurvey& survey);

// Text key of a level's name: "PC_Low", "PC_Medium", "PC_High"; empty for 0.
std::u16string PerformanceLevelTextKey(PerformanceLevel level);

// "Configuration summary:\nNumber of cores: %d,\n..." filled from survey, followed by levelText.
std::u16string ComposeSurveySummary(const HardwareSurvey& survey, const std::u16string& levelText);

// Measures the machine through WMI and Direct3D 9 (window: the dialog's HWND, the device's
// focus window), fills survey and returns its classification, or 0 after writing the failing
// call's line to standard error. Windows only.
PerformanceLevel SurveyHardware(void* window, HardwareSurvey& survey);
