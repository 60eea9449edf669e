#include "StoreFixture.h"
#include "rendering/DerivedRenderingValues.h"

#include <sstream>
#include <string>

namespace {

const char* const kProfiles[] = {"PCLow", "PCMedium", "PCHigh", "PCUber"};
const char* const kCopiedKeys[] = {"MaxCubeShadowSize", "MaxCubeShadowCount",
                                   "MaxSpotShadowSize", "MaxSpotShadowCount",
                                   "MaxTextureSize",    "MaxAtlasTextureSize"};

// Each profile value names its profile and key, so a test sees where a copy came from.
std::string ProfileText(const std::string& profile) {
    std::string text = "[Rendering]\r\n";
    for (const char* key : kCopiedKeys)
        text += std::string(key) + "=" + profile + ":" + key + "\r\n";
    return text;
}

} // namespace

using DerivedRenderingValuesTest = StoreFixture;

// Outputs that depend on different inputs share a case. Entries are "key=value" separated by
// spaces; an expected "@<profile>" is the key's copy from that profile.
TEST_F(DerivedRenderingValuesTest, WritesEachKeyFromItsSource) {
    const struct {
        const char* name;
        const char* user; // "User"/"Rendering" before saving
        int presetLevel;
        const char* expected; // after saving; "<absent>" for a key never written
    } cases[] = {
        {"sharpen follows antialias; downscale 2 gives 1", "AllowAntialias=1 TextureDownscale=2", 0,
         "AllowSharpen=1 DetailTextureDownscale=0 AtlasTextureDownscale=1"},
        {"detail downscale always 0; downscale 1 gives 0",
         "AllowAntialias=0 DetailTextureDownscale=3 TextureDownscale=1", 0,
         "AllowSharpen=0 DetailTextureDownscale=0 AtlasTextureDownscale=0"},
        {"nothing stored: sharpen empty, downscale 0, both shadow pairs from PCLow", "", 2,
         "AllowSharpen= AtlasTextureDownscale=0 MaxCubeShadowSize=@PCLow "
         "MaxCubeShadowCount=@PCLow MaxSpotShadowSize=@PCLow MaxSpotShadowCount=@PCLow"},
        {"the shadow levels choose the profiles; downscale 9 is held at 2",
         "_ShadowQuality=3 _ShadowedLights=1 TextureDownscale=9", 0,
         "MaxCubeShadowSize=@PCUber MaxCubeShadowCount=@PCUber MaxSpotShadowSize=@PCMedium "
         "MaxSpotShadowCount=@PCMedium AtlasTextureDownscale=2"},
        {"levels outside 0 to 3 keep the user's shadows",
         "_ShadowQuality=4 MaxCubeShadowSize=77 _ShadowedLights=-1 MaxSpotShadowCount=5", 0,
         "MaxCubeShadowSize=77 MaxCubeShadowCount=<absent> MaxSpotShadowSize=<absent> "
         "MaxSpotShadowCount=5"},
        {"the rows do not choose; texture limits follow the preset level",
         "ShadowQuality=3 ShadowedLights=2 TextureDownscale=-2147483648", 2,
         "MaxCubeShadowSize=@PCLow MaxSpotShadowCount=@PCLow AtlasTextureDownscale=0 "
         "MaxTextureSize=@PCHigh MaxAtlasTextureSize=@PCHigh"},
        {"texture limits of ULTRA", "", 3, "MaxTextureSize=@PCUber"},
        {"a level outside 0 to 3 reads PCMedium", "_ShadowedLights=2", 7,
         "MaxTextureSize=@PCMedium MaxAtlasTextureSize=@PCMedium MaxSpotShadowSize=@PCHigh"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* profile : kProfiles)
            WriteIni("profiles", profile, ProfileText(profile));
        std::string user = "[Rendering]\r\n";
        std::istringstream entries(c.user);
        for (std::string entry; entries >> entry;)
            user += entry + "\r\n";
        WriteIni("user", "User", user);
        OpenStores();
        SaveDerivedRenderingValues(c.presetLevel);
        std::istringstream expected(c.expected);
        for (std::string entry; expected >> entry;) {
            const std::string key = entry.substr(0, entry.find('='));
            std::string value = entry.substr(key.size() + 1);
            if (value.starts_with("@"))
                value = value.substr(1) + ":" + key;
            EXPECT_EQ(UserValue(u"Rendering", Widen(key).c_str()), value) << key;
        }
        ReleaseConfigStores();
    }
}

TEST_F(DerivedRenderingValuesTest, AMissingProfileKeyIsWrittenEmpty) {
    WriteIni("profiles", "PCHigh", "[Rendering]\r\nMaxTextureSize=4096\r\n");
    WriteIni("user", "User", "[Rendering]\r\nMaxAtlasTextureSize=2048\r\n");
    OpenStores();
    SaveDerivedRenderingValues(2);
    EXPECT_EQ(UserValue(u"Rendering", u"MaxTextureSize"), "4096");
    EXPECT_EQ(UserValue(u"Rendering", u"MaxAtlasTextureSize"), "");
    // No profile files at all: PCLow is missing too, so the shadow keys are written empty.
    EXPECT_EQ(UserValue(u"Rendering", u"MaxCubeShadowSize"), "");
    EXPECT_EQ(UserValue(u"Rendering", u"MaxSpotShadowCount"), "");
    ReleaseConfigStores();
    SaveDerivedRenderingValues(2); // without stores nothing happens
    EXPECT_EQ(UserStore, nullptr);
}
