#include "PresetLevel.h"

#include "config/Text.h"

namespace {

bool IsPresetLevel(int level) {
    return level >= kPresetLow && level <= kPresetUltra;
}

} // namespace

std::u16string LevelProfileName(int level) {
    switch (level) {
    case kPresetLow:
        return u"PCLow";
    case kPresetHigh:
        return u"PCHigh";
    case kPresetUltra:
        return u"PCUber";
    default:
        return u"PCMedium";
    }
}

std::u16string LevelTextKey(int level) {
    switch (level) {
    case kPresetLow:
        return u"LOW";
    case kPresetMedium:
        return u"MEDIUM";
    case kPresetHigh:
        return u"HIGH";
    case kPresetUltra:
        return u"ULTRA";
    default:
        return {};
    }
}

std::u16string PerformancePlatformText(int level) {
    return FormatDecimal(IsPresetLevel(level) ? level : kPresetHigh);
}

int ParsePresetLevel(const std::u16string& stored) {
    const int level = ParseDecimalInt(stored);
    return IsPresetLevel(level) ? level : kPresetHigh;
}
