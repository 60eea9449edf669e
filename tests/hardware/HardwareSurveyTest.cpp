#include "config/Text.h"
#include "hardware/HardwareSurvey.h"

#include <gtest/gtest.h>

#include <string>

TEST(ClassifyHardware, FollowsTheTableAndItsBoundaries) {
    const struct {
        HardwareSurvey survey;
        PerformanceLevel expected;
    } cases[] = {
        {{4, 4096, 1024, false}, 3},
        {{4, 4096, 1024, true}, 2},  // mobile caps at medium
        {{4, 3072, 1024, false}, 3}, // every lower bound of high is inclusive
        {{4, 3071, 1024, false}, 2},
        {{4, 4096, 1023, false}, 2},
        {{3, 8192, 2048, false}, 2}, // fewer than 4 processors
        {{3, 2048, 512, false}, 2},  // every lower bound of medium is inclusive
        {{3, 2048, 512, true}, 2},
        {{2, 65536, 8192, false}, 1},
        {{3, 2047, 512, false}, 1},
        {{4, 8192, 511, false}, 1},
        {{64, 1024, 4096, false}, 1},
        {{0, 0, 0, false}, 1}, // a query without objects leaves zeros: low, not failure
        {{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, false}, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyHardware(c.survey), c.expected)
            << c.survey.processors << " processors, " << c.survey.systemMemoryMb << " MB, video "
            << c.survey.videoMemoryMb << " MB, mobile " << c.survey.mobile;
}

// The summary as Auto-detect shows it, with the text key of the level found.
TEST(ComposeSurveySummary, FillsTheFormatAndAppendsTheLevelText) {
    const HardwareSurvey survey{8, 16384, 2048, true};
    EXPECT_EQ(Utf16ToUtf8(
                  ComposeSurveySummary(survey, PerformanceLevelTextKey(ClassifyHardware(survey)))),
              "Configuration summary:\nNumber of cores: 8,\nSystem memory: 16384 MB,\n"
              "Video memory: 2048 MB,\nMobile: 1. \nYour configuration capabilities: PC_Medium");
    const HardwareSurvey empty{};
    EXPECT_EQ(Utf16ToUtf8(ComposeSurveySummary(empty, PerformanceLevelTextKey(0))),
              "Configuration summary:\nNumber of cores: 0,\nSystem memory: 0 MB,\n"
              "Video memory: 0 MB,\nMobile: 0. \nYour configuration capabilities: ");
    EXPECT_EQ(PerformanceLevelTextKey(1), u"PC_Low");
    EXPECT_EQ(PerformanceLevelTextKey(3), u"PC_High");
}

#ifndef _WIN32
// Without WMI and Direct3D the survey reports failure, so Auto-detect changes nothing.
TEST(SurveyHardware, FailsWithoutThePlatform) {
    HardwareSurvey survey;
    EXPECT_EQ(SurveyHardware(nullptr, survey), 0);
}
#endif
