#include "HardwareSurvey.h"

#include "config/Text.h"

PerformanceLevel ClassifyHardware(const HardwareSurvey& survey) {
    if (survey.processors < 3 || survey.systemMemoryMb < 2048 || survey.videoMemoryMb < 512)
        return 1;
    if (survey.processors < 4 || survey.systemMemoryMb < 3072 || survey.videoMemoryMb < 1024 ||
        survey.mobile)
        return 2;
    return 3; // the survey never proposes ULTRA
}

std::u16string PerformanceLevelTextKey(PerformanceLevel level) {
    switch (level) {
    case 1:
        return u"PC_Low";
    case 2:
        return u"PC_Medium";
    case 3:
        return u"PC_High";
    default:
        return {};
    }
}

std::u16string ComposeSurveySummary(const HardwareSurvey& survey, const std::u16string& levelText) {
    std::u16string summary = u"Configuration summary:\nNumber of cores: ";
    summary += FormatDecimal(survey.processors);
    summary += u",\nSystem memory: ";
    summary += FormatDecimal(survey.systemMemoryMb);
    summary += u" MB,\nVideo memory: ";
    summary += FormatDecimal(survey.videoMemoryMb);
    summary += u" MB,\nMobile: ";
    summary += FormatDecimal(survey.mobile ? 1 : 0);
    summary += u". \nYour configuration capabilities: ";
    summary += levelText;
    return summary;
}
