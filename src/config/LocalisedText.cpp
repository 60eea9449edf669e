#include "LocalisedText.h"

#include "ConfigStore.h"

namespace {

std::u16string LookUp(const std::u16string& language, const char16_t* sectionName,
                      const std::u16string& key) {
    std::u16string text = key;
    if (!LangStore || language.empty())
        return text;
    ConfigFile* file = LangStore->GetFile(language);
    const ConfigSection* section = file ? file->FindSection(sectionName, false) : nullptr;
    if (section)
        section->GetValue(key, text);
    return text;
}

} // namespace

std::u16string GetConfiguratorText(const std::u16string& language, const std::u16string& key) {
    return LookUp(language, u"Configurator", key);
}

std::u16string GetInputEditorText(const std::u16string& language, const std::u16string& key) {
    return LookUp(language, u"InputEditor", key);
}
