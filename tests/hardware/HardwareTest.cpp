#include "config/ConfigTestSupport.h"
#include "hardware/HardwareSurvey.h"
#include "hardware/VariantNumber.h"

#include <sstream>

static HardwareSurvey Survey(const std::string& field) {
    HardwareSurvey survey;
    std::istringstream(field) >> survey.processors >> survey.systemMemoryMb >>
        survey.videoMemoryMb >> survey.mobile;
    return survey;
}

static std::string Classify(const Case& c) {
    const PerformanceLevel level = ClassifyHardware(Survey(c[1]));
    return std::to_string(level) + " " + Utf16ToUtf8(PerformanceLevelTextKey(level));
}

static std::string Summary(const Case& c) {
    const HardwareSurvey survey = Survey(c[1]);
    return Escaped(ComposeSurveySummary(survey, PerformanceLevelTextKey(ClassifyHardware(survey))));
}

static std::string Variant(const Case& c) {
    const VariantPayload payload{static_cast<uint16_t>(std::stoi(c[1])),
                                 std::stoull(c[2], nullptr, 16), Widen(c[3])};
    return std::to_string(VariantPayloadToUnsigned(payload));
}

static std::string SystemMemory(const Case& c) {
    uint64_t total = 0, bytes = 0;
    for (std::istringstream in(c[1]); in >> bytes;)
        total = SaturatingAdd(total, bytes);
    return std::to_string(BytesToMegabytes(total));
}

TEST(Hardware, Cases) {
    ExpectCases(TEST_DATA("cases.txt"), {{"ClassifyHardware", Classify},
                                         {"Summary", Summary},
                                         {"VariantPayloadToUnsigned", Variant},
                                         {"SystemMemoryMb", SystemMemory}});
#ifndef _WIN32
    HardwareSurvey survey; // without WMI and Direct3D the survey fails; Auto-detect changes nothing
    EXPECT_EQ(SurveyHardware(nullptr, survey), 0);
#endif
}
