#include "RenderingRows.h"

#include "PresetLevel.h"
#include "config/ConfigStore.h"

namespace {

const std::u16string kEngine = u"Engine";
const std::u16string kRendering = u"Rendering";

std::u16string ReadOrEmpty(ConfigStore* store, const std::u16string& file,
                           const std::u16string& section, const std::u16string& key) {
    std::u16string value;
    ReadValue(store, file, section, key, value);
    return value;
}

RowSelections SelectionsFrom(ConfigStore* store, const std::u16string& file) {
    RowSelections selections{};
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        const std::u16string key(RenderingSettingsTable[i].key);
        selections[i] = LoadRowLists(i, ReadOrEmpty(store, file, kRendering, key)).index;
    }
    return selections;
}

} // namespace

PresetState ReadPresetState() {
    PresetState state;
    state.level =
        ParsePresetLevel(ReadOrEmpty(UserStore.get(), u"User", kEngine, u"PerformancePlatform"));
    state.custom =
        ReadOrEmpty(UserStore.get(), u"User", kEngine, u"CustomRenderingSettings") == u"1";
    return state;
}

RowSelections RowSelectionsFromUserFile() {
    return SelectionsFrom(UserStore.get(), u"User");
}

RowSelections RowSelectionsForPreset(int presetLevel) {
    return SelectionsFrom(ProfileStore.get(), LevelProfileName(presetLevel));
}

void SaveRenderingRows(int presetLevel, bool custom, const RowSelections& selections) {
    WriteUserValue(kEngine, u"PerformancePlatform", PerformancePlatformText(presetLevel));
    WriteUserValue(kEngine, u"CustomRenderingSettings", custom ? u"1" : u"0");
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        const RowLists lists = LoadRowLists(i, u"");
        const int sel = selections[i];
        // A combo without a selection (or none at all) must not index past its tokens.
        if (sel < 0 || static_cast<size_t>(sel) >= lists.values.size())
            continue;
        WriteUserValue(kRendering, std::u16string(RenderingSettingsTable[i].key),
                       lists.values[static_cast<size_t>(sel)]);
    }
}
