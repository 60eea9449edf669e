#include "GameData.h"

#include "WideText.h"
#include "config/ConfigStore.h"
#include "config/LocalisedText.h"

LanguageTexts::LanguageTexts(const std::wstring& langFolder) {
    LangStore = std::make_unique<ConfigStore>(ToU16(langFolder + L"\\"));
}

LanguageTexts::~LanguageTexts() {
    ReleaseConfigStores();
}

std::wstring LanguageTexts::Text(const std::wstring& language, const std::string& key) const {
    return ToWide(GetConfiguratorText(ToU16(language), Utf8ToUtf16(key)));
}

std::string ProfileName(int level) {
    static const char* const names[] = {"PCLow", "PCMedium", "PCHigh", "PCUber"};
    return level >= 0 && level <= 3 ? names[level] : "PCMedium";
}

ProfileFiles::ProfileFiles(const std::wstring& profilesFolder) {
    for (int level = 0; level <= 3; ++level) {
        const std::u16string name = Utf8ToUtf16(ProfileName(level));
        m_files[level] =
            std::make_unique<ConfigFile>(name, ToU16(profilesFolder) + u"\\" + name + u".ini");
    }
}

std::string ProfileFiles::Value(int level, const std::string& key) const {
    const auto file = m_files.find(level);
    if (file == m_files.end())
        return {};
    const ConfigSection* section = file->second->FindSection(u"Rendering", false);
    std::u16string value;
    if (section)
        section->GetValue(Utf8ToUtf16(key), value);
    return Utf16ToUtf8(value);
}
