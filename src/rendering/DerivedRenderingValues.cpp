#include "DerivedRenderingValues.h"

#include "PresetLevel.h"
#include "config/ConfigStore.h"
#include "config/Text.h"

#include <algorithm>
#include <cstdint>

namespace {

const std::u16string kUser = u"User";
const std::u16string kRendering = u"Rendering";

// Every read starts empty, so a missing file, section or key reads as "" (and as 0).
std::u16string ReadUserRendering(const std::u16string& key) {
    std::u16string value;
    ReadValue(UserStore.get(), kUser, kRendering, key, value);
    return value;
}

// A key missing from the profile is still written, as the empty text.
void CopyFromProfile(int level, const std::u16string& key) {
    std::u16string value;
    ReadValue(ProfileStore.get(), LevelProfileName(level), kRendering, key, value);
    WriteUserValue(kRendering, key, value);
}

// The shadow keys pick their profile only for a level the profiles exist for; any other
// number leaves the user's own values in place.
void CopyShadowKeys(const std::u16string& levelKey, const std::u16string& sizeKey,
                    const std::u16string& countKey) {
    const int level = ParseDecimalInt(ReadUserRendering(levelKey));
    if (level < kPresetLow || level > kPresetUltra)
        return;
    CopyFromProfile(level, sizeKey);
    CopyFromProfile(level, countKey);
}

} // namespace

void SaveDerivedRenderingValues(int presetLevel) {
    WriteUserValue(kRendering, u"AllowSharpen", ReadUserRendering(u"AllowAntialias"));
    WriteUserValue(kRendering, u"DetailTextureDownscale", u"0");

    // 64-bit so that a stored value at the bottom of the 32-bit range cannot overflow.
    const int64_t downscale = ParseDecimalInt(ReadUserRendering(u"TextureDownscale"));
    WriteUserValue(kRendering, u"AtlasTextureDownscale",
                   FormatDecimal(std::clamp<int64_t>(downscale - 1, 0, 2)));

    CopyShadowKeys(u"_ShadowQuality", u"MaxCubeShadowSize", u"MaxCubeShadowCount");
    CopyShadowKeys(u"_ShadowedLights", u"MaxSpotShadowSize", u"MaxSpotShadowCount");

    // The texture limits follow the preset level, also while custom mode is on.
    CopyFromProfile(presetLevel, u"MaxTextureSize");
    CopyFromProfile(presetLevel, u"MaxAtlasTextureSize");
}
