#include "RenderingSettingsTable.h"

#include <iterator>

namespace {

// The game reads these exact tokens; the label keys name texts in the language files
// ("FarDisance" is the key the language files carry).
constexpr RenderingSettingRow kRows[] = {
    {u"TextureDownscale", u"0;1;2;", u"NoDownscale;LowDownscale;HighDownscale;"},
    {u"TextureMemoryBudget", u"100;200;300;400;600;",
     u"VerySmallBudget;SmallBudget;MediumBudget;HighBudget;VeryHighBudget;"},
    {u"ShadowQuality", u"0;1;2;3;", u"LowQuality;MediumQuality;HighQuality;UltraQuality;"},
    {u"ShadowedLights", u"0;1;2;3;", u"LowQuality;MediumQuality;HighQuality;UltraQuality;"},
    {u"MeshDistanceScale", u"0.5;0.75;0.9;1.0;1.2;",
     u"MinimalDistance;VeryNearDistance;NearDistance;NormalDistance;FarDisance;"},
    {u"AllowBloom", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowShafts", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowAntialias", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowBlur", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowDOF", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowVignette", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowRain", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowSSAO", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowMotionBlur", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowScatterDOF", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowCutsceneDOF", u"0;1;", u"Disabled;Enabled;"},
    {u"DanglesLimiter", u"0;1;", u"Disabled;Enabled;"},
    {u"UberSampling", u"0;2;", u"Disabled;Enabled;"}, // the game wants "2" for on
    {u"VSync", u"0;1;", u"Disabled;Enabled;"},
    {u"AllowDecals", u"0.0;0.5;1.0;", u"Disabled;MEDIUM;HIGH;"},
};
static_assert(std::size(kRows) == kRenderingRowCount);

constexpr size_t CountTokens(std::u16string_view list) {
    size_t count = 0;
    for (char16_t c : list)
        count += c == u';';
    return count;
}

// A row whose lists differ in length would show labels for values it cannot save.
constexpr bool EveryValueHasALabel() {
    for (const RenderingSettingRow& row : kRows)
        if (CountTokens(row.valueList) != CountTokens(row.labelKeyList))
            return false;
    return true;
}
static_assert(EveryValueHasALabel());

// Tokens are ended by ";"; text after the last ";" is no token.
std::vector<std::u16string> SplitTokens(std::u16string_view list) {
    std::vector<std::u16string> tokens;
    std::u16string current;
    for (char16_t c : list) {
        if (c != u';') {
            current.push_back(c);
            continue;
        }
        tokens.push_back(std::move(current));
        current.clear();
    }
    return tokens;
}

} // namespace

constinit const std::array<RenderingSettingRow, kRenderingRowCount> RenderingSettingsTable =
    std::to_array(kRows);

RowLists LoadRowLists(size_t row, std::u16string_view currentValue) {
    RowLists lists;
    if (row >= RenderingSettingsTable.size())
        return lists;
    lists.values = SplitTokens(RenderingSettingsTable[row].valueList);
    lists.labelKeys = SplitTokens(RenderingSettingsTable[row].labelKeyList);
    for (size_t i = 0; i < lists.values.size(); ++i)
        if (lists.values[i] == currentValue)
            lists.index = static_cast<int>(i); // a later equal token wins
    return lists;
}
