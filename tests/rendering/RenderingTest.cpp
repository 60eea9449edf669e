#include "config/ConfigStore.h"
#include "config/ConfigTestSupport.h"
#include "rendering/DerivedRenderingValues.h"
#include "rendering/RenderingRows.h"

#include <sstream>

// UserStore over a scratch User.ini spelled as cases.txt says; ProfileStore over data/profiles/.
struct RenderingStores : TempFolder {
    explicit RenderingStores(const std::string& entries) {
        std::string text, entry;
        for (std::istringstream in(entries); in >> entry;)
            text += entry.ends_with(':') ? "[" + entry.substr(0, entry.size() - 1) + "]\n"
                                         : entry + "\n";
        WriteAll(Path(u"User.ini"), text);
        UserStore = std::make_unique<ConfigStore>(Directory());
        ProfileStore = std::make_unique<ConfigStore>((TEST_DATA("profiles") / "").u16string());
    }
    ~RenderingStores() { ReleaseConfigStores(); }
};

static std::string UserValue(const char16_t* section, const std::string& key) {
    std::u16string value = u"<absent>";
    ReadValue(UserStore.get(), u"User", section, Widen(key), value);
    return Utf16ToUtf8(value);
}

static std::string RowIndex(const Case& c) {
    return std::to_string(LoadRowLists(std::stoul(c[1]), Widen(c[2])).index);
}

static std::string PresetState(const Case& c) {
    const RenderingStores stores(c[1]);
    return std::to_string(ReadPresetState().level) + " " + std::to_string(ReadPresetState().custom);
}

static std::string Rows(const Case& c) {
    const RenderingStores stores(c[1]);
    return testing::PrintToString(RowSelectionsFromUserFile()) + "; " +
           testing::PrintToString(RowSelectionsForPreset(2)) + "; " +
           testing::PrintToString(RowSelectionsForPreset(3));
}

static std::string Save(const Case& c) {
    const RenderingStores stores("");
    RowSelections selections;
    for (std::istringstream in(c[3]); int& selection : selections)
        in >> selection;
    SaveRenderingRows(std::stoi(c[1]), c[2] == "1", selections);
    std::string saved = UserValue(u"Engine", "PerformancePlatform") + " " +
                        UserValue(u"Engine", "CustomRenderingSettings") + ":";
    for (const RenderingSettingRow& row : RenderingSettingsTable)
        saved += " " + UserValue(u"Rendering", Utf16ToUtf8(row.key));
    return saved;
}

static std::string Derived(const Case& c) {
    const RenderingStores stores(c[1]);
    SaveDerivedRenderingValues(std::stoi(c[2]));
    std::string shown, entry;
    for (std::istringstream in(c[3]); in >> entry;) {
        const std::string key = entry.substr(0, entry.find('='));
        shown += (shown.empty() ? "" : " ") + key + "=" + UserValue(u"Rendering", key);
    }
    return shown;
}

TEST(Rendering, Cases) {
    ExpectCases(TEST_DATA("cases.txt"), {{"RowIndex", RowIndex},
                                         {"PresetState", PresetState},
                                         {"Rows", Rows},
                                         {"Save", Save},
                                         {"Derived", Derived}});
}
