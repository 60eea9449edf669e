#include "StoreFixture.h"
#include "rendering/DerivedRenderingValues.h"

#include <string>
#include <vector>

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

struct Entry {
    const char* key;
    const char* value;
};

struct DerivedCase {
    const char* name;
    std::vector<Entry> userRendering; // "User"/"Rendering" before saving
    int presetLevel;
    std::vector<Entry> expected; // values after saving; "<absent>" for a key never written
};

std::string UserText(const std::vector<Entry>& entries) {
    std::string text = "[Rendering]\r\n";
    for (const Entry& e : entries)
        text += std::string(e.key) + "=" + e.value + "\r\n";
    return text;
}

} // namespace

class DerivedRenderingValuesTest : public StoreFixture {
protected:
    void WriteAllProfiles() {
        for (const char* profile : kProfiles)
            WriteIni("profiles", profile, ProfileText(profile));
    }
};

TEST_F(DerivedRenderingValuesTest, WritesEachKeyFromItsSource) {
    const DerivedCase cases[] = {
        {"sharpen follows antialias, on",
         {{"AllowAntialias", "1"}},
         0,
         {{"AllowSharpen", "1"}, {"DetailTextureDownscale", "0"}}},
        {"sharpen follows antialias, off; detail downscale always 0",
         {{"AllowAntialias", "0"}, {"DetailTextureDownscale", "3"}},
         0,
         {{"AllowSharpen", "0"}, {"DetailTextureDownscale", "0"}}},
        {"no antialias key: sharpen written empty", {}, 0, {{"AllowSharpen", ""}}},
        {"downscale 2", {{"TextureDownscale", "2"}}, 0, {{"AtlasTextureDownscale", "1"}}},
        {"downscale 1", {{"TextureDownscale", "1"}}, 0, {{"AtlasTextureDownscale", "0"}}},
        {"downscale 0", {{"TextureDownscale", "0"}}, 0, {{"AtlasTextureDownscale", "0"}}},
        {"downscale 9 held at 2", {{"TextureDownscale", "9"}}, 0, {{"AtlasTextureDownscale", "2"}}},
        {"downscale at the bottom of the range",
         {{"TextureDownscale", "-2147483648"}},
         0,
         {{"AtlasTextureDownscale", "0"}}},
        {"downscale missing", {}, 0, {{"AtlasTextureDownscale", "0"}}},
        {"no shadow keys: both shadow pairs from PCLow",
         {},
         2,
         {{"MaxCubeShadowSize", "PCLow:MaxCubeShadowSize"},
          {"MaxCubeShadowCount", "PCLow:MaxCubeShadowCount"},
          {"MaxSpotShadowSize", "PCLow:MaxSpotShadowSize"},
          {"MaxSpotShadowCount", "PCLow:MaxSpotShadowCount"}}},
        {"_ShadowQuality 3 takes the cube shadows from PCUber",
         {{"_ShadowQuality", "3"}, {"_ShadowedLights", "1"}},
         0,
         {{"MaxCubeShadowSize", "PCUber:MaxCubeShadowSize"},
          {"MaxCubeShadowCount", "PCUber:MaxCubeShadowCount"},
          {"MaxSpotShadowSize", "PCMedium:MaxSpotShadowSize"},
          {"MaxSpotShadowCount", "PCMedium:MaxSpotShadowCount"}}},
        {"_ShadowQuality 4 keeps the user's cube shadows",
         {{"_ShadowQuality", "4"}, {"MaxCubeShadowSize", "77"}},
         0,
         {{"MaxCubeShadowSize", "77"}, {"MaxCubeShadowCount", "<absent>"}}},
        {"_ShadowQuality -1 keeps the user's cube shadows",
         {{"_ShadowQuality", "-1"}, {"MaxCubeShadowCount", "5"}},
         0,
         {{"MaxCubeShadowSize", "<absent>"}, {"MaxCubeShadowCount", "5"}}},
        {"_ShadowedLights 2 takes the spot shadows from PCHigh",
         {{"_ShadowedLights", "2"}},
         0,
         {{"MaxSpotShadowSize", "PCHigh:MaxSpotShadowSize"},
          {"MaxSpotShadowCount", "PCHigh:MaxSpotShadowCount"}}},
        {"_ShadowedLights 9 keeps the user's spot shadows",
         {{"_ShadowedLights", "9"}, {"MaxSpotShadowSize", "64"}},
         0,
         {{"MaxSpotShadowSize", "64"}, {"MaxSpotShadowCount", "<absent>"}}},
        {"the row ShadowQuality does not choose the profile",
         {{"ShadowQuality", "3"}, {"ShadowedLights", "3"}},
         0,
         {{"MaxCubeShadowSize", "PCLow:MaxCubeShadowSize"},
          {"MaxSpotShadowCount", "PCLow:MaxSpotShadowCount"}}},
        {"texture limits follow the preset level, not the rows",
         {{"TextureDownscale", "0"}, {"TextureMemoryBudget", "100"}},
         2,
         {{"MaxTextureSize", "PCHigh:MaxTextureSize"},
          {"MaxAtlasTextureSize", "PCHigh:MaxAtlasTextureSize"}}},
        {"texture limits of ULTRA",
         {},
         3,
         {{"MaxTextureSize", "PCUber:MaxTextureSize"},
          {"MaxAtlasTextureSize", "PCUber:MaxAtlasTextureSize"}}},
        {"a level outside 0 to 3 reads PCMedium",
         {},
         7,
         {{"MaxTextureSize", "PCMedium:MaxTextureSize"}}},
    };
    for (const DerivedCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAllProfiles();
        WriteIni("user", "User", UserText(c.userRendering));
        OpenStores();
        SaveDerivedRenderingValues(c.presetLevel);
        for (const Entry& e : c.expected)
            EXPECT_EQ(UserValue(u"Rendering", Widen(e.key).c_str()), e.value) << e.key;
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
}

TEST_F(DerivedRenderingValuesTest, WithoutStoresNothingHappens) {
    SaveDerivedRenderingValues(2);
    EXPECT_EQ(UserStore, nullptr);
}

TEST_F(DerivedRenderingValuesTest, AMissingUserFileIsCreatedInMemory) {
    WriteAllProfiles();
    OpenStores();
    SaveDerivedRenderingValues(1);
    EXPECT_EQ(UserValue(u"Rendering", u"AllowSharpen"), "");
    EXPECT_EQ(UserValue(u"Rendering", u"DetailTextureDownscale"), "0");
    EXPECT_EQ(UserValue(u"Rendering", u"AtlasTextureDownscale"), "0");
    EXPECT_EQ(UserValue(u"Rendering", u"MaxTextureSize"), "PCMedium:MaxTextureSize");
}
