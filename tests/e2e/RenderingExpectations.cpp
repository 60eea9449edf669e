#include "RenderingExpectations.h"

#include "config/Text.h"

#include <algorithm>

namespace {

const std::vector<std::string> kOffOn = {"0", "1"};
const std::vector<std::string> kOffOnLabels = {"Disabled", "Enabled"};
const std::vector<std::string> kQualityLabels = {"LowQuality", "MediumQuality", "HighQuality",
                                                 "UltraQuality"};

int ReadNumber(const std::string& text) {
    return ParseDecimalInt(Utf8ToUtf16(text));
}

// Copies profileKey from the profile of level into the user file's Rendering section.
void CopyFromProfile(IniModel& userFile, const ProfileFiles& profiles, int level,
                     const std::string& key) {
    SetIniValue(userFile, "Rendering", key, profiles.Value(level, key));
}

void ExpectDerivedValues(IniModel& userFile, const ProfileFiles& profiles, int level) {
    SetIniValue(userFile, "Rendering", "AllowSharpen",
                IniValue(userFile, "Rendering", "AllowAntialias"));
    SetIniValue(userFile, "Rendering", "DetailTextureDownscale", "0");
    const int atlas =
        std::clamp(ReadNumber(IniValue(userFile, "Rendering", "TextureDownscale")) - 1, 0, 2);
    SetIniValue(userFile, "Rendering", "AtlasTextureDownscale", std::to_string(atlas));
    const int cube = ReadNumber(IniValue(userFile, "Rendering", "_ShadowQuality"));
    if (cube >= 0 && cube <= 3) {
        CopyFromProfile(userFile, profiles, cube, "MaxCubeShadowSize");
        CopyFromProfile(userFile, profiles, cube, "MaxCubeShadowCount");
    }
    const int spot = ReadNumber(IniValue(userFile, "Rendering", "_ShadowedLights"));
    if (spot >= 0 && spot <= 3) {
        CopyFromProfile(userFile, profiles, spot, "MaxSpotShadowSize");
        CopyFromProfile(userFile, profiles, spot, "MaxSpotShadowCount");
    }
    CopyFromProfile(userFile, profiles, level, "MaxTextureSize");
    CopyFromProfile(userFile, profiles, level, "MaxAtlasTextureSize");
}

// The entry a stored text selects: the last equal token, else the first entry.
int RowIndexOf(const ExpectedRow& row, const std::string& stored) {
    int index = 0;
    for (size_t i = 0; i < row.values.size(); ++i) {
        if (row.values[i] == stored)
            index = static_cast<int>(i);
    }
    return index;
}

} // namespace

const std::array<ExpectedRow, kRowCount>& RenderingRows() {
    static const std::array<ExpectedRow, kRowCount> rows = {{
        {"TextureDownscale", {"0", "1", "2"}, {"NoDownscale", "LowDownscale", "HighDownscale"}},
        {"TextureMemoryBudget",
         {"100", "200", "300", "400", "600"},
         {"VerySmallBudget", "SmallBudget", "MediumBudget", "HighBudget", "VeryHighBudget"}},
        {"ShadowQuality", {"0", "1", "2", "3"}, kQualityLabels},
        {"ShadowedLights", {"0", "1", "2", "3"}, kQualityLabels},
        {"MeshDistanceScale",
         {"0.5", "0.75", "0.9", "1.0", "1.2"},
         {"MinimalDistance", "VeryNearDistance", "NearDistance", "NormalDistance", "FarDisance"}},
        {"AllowBloom", kOffOn, kOffOnLabels},
        {"AllowShafts", kOffOn, kOffOnLabels},
        {"AllowAntialias", kOffOn, kOffOnLabels},
        {"AllowBlur", kOffOn, kOffOnLabels},
        {"AllowDOF", kOffOn, kOffOnLabels},
        {"AllowVignette", kOffOn, kOffOnLabels},
        {"AllowRain", kOffOn, kOffOnLabels},
        {"AllowSSAO", kOffOn, kOffOnLabels},
        {"AllowMotionBlur", kOffOn, kOffOnLabels},
        {"AllowScatterDOF", kOffOn, kOffOnLabels},
        {"AllowCutsceneDOF", kOffOn, kOffOnLabels},
        {"DanglesLimiter", kOffOn, kOffOnLabels},
        {"UberSampling", {"0", "2"}, kOffOnLabels},
        {"VSync", kOffOn, kOffOnLabels},
        {"AllowDecals", {"0.0", "0.5", "1.0"}, {"Disabled", "MEDIUM", "HIGH"}},
    }};
    return rows;
}

RowSelection PresetSelection(const ProfileFiles& profiles, int level) {
    RowSelection selection{};
    for (int i = 0; i < kRowCount; ++i) {
        const ExpectedRow& row = RenderingRows()[i];
        selection[i] = RowIndexOf(row, profiles.Value(level, row.key));
    }
    return selection;
}

RowSelection StoredSelection(const IniModel& userFile) {
    RowSelection selection{};
    for (int i = 0; i < kRowCount; ++i) {
        const ExpectedRow& row = RenderingRows()[i];
        selection[i] = RowIndexOf(row, IniValue(userFile, "Rendering", row.key));
    }
    return selection;
}

void ExpectRenderingSave(IniModel& userFile, const ProfileFiles& profiles, int level, bool custom,
                         const RowSelection& rows) {
    SetIniValue(userFile, "Engine", "PerformancePlatform", std::to_string(level));
    SetIniValue(userFile, "Engine", "CustomRenderingSettings", custom ? "1" : "0");
    for (int i = 0; i < kRowCount; ++i) {
        const ExpectedRow& row = RenderingRows()[i];
        SetIniValue(userFile, "Rendering", row.key, row.values.at(rows[i]));
    }
    ExpectDerivedValues(userFile, profiles, level);
}
