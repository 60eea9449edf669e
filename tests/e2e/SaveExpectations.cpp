#include "SaveExpectations.h"

#include "config/Text.h"

DialogChoices ChoicesAtStart(const IniModel& userFile, const ProfileFiles& profiles) {
    DialogChoices choices;
    const int stored =
        ParseDecimalInt(Utf8ToUtf16(IniValue(userFile, "Engine", "PerformancePlatform")));
    choices.level = stored >= 0 && stored <= 3 ? stored : 2;
    choices.custom = IniValue(userFile, "Engine", "CustomRenderingSettings") == "1";
    choices.rows =
        choices.custom ? StoredSelection(userFile) : PresetSelection(profiles, choices.level);
    choices.resolution = ExpectedResolutionIndex(ListedDisplayModes(), userFile);
    choices.fullscreen = IniValue(userFile, "Rendering", "Fullscreen") == "1" ? 1 : 0;
    const std::string layout = IniValue(userFile, "Input", "KeyboardLayout");
    choices.keyboard = layout == "AZERTY" ? 1 : layout == "QWERTZ" ? 2 : 0;
    return choices;
}

IniModel ExpectedUserFile(IniModel before, const DialogChoices& choices,
                          const ProfileFiles& profiles) {
    ExpectRenderingSave(before, profiles, choices.level, choices.custom, choices.rows);
    ExpectMainSave(before, ListedDisplayModes().at(choices.resolution), choices.fullscreen,
                   choices.keyboard);
    return before;
}
