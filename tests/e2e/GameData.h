#pragma once
// The copied installation's language texts and profile values, read with the game's own
// configuration code, so the tests state "the text of key K in language L" rather than
// repeating the sample's wording.

#include "config/ConfigFile.h"

#include <map>
#include <memory>
#include <string>

// Looks texts up like the program: section "Configurator" of the language file, or the key.
// Holds the process-wide LangStore while it lives; one instance at a time.
class LanguageTexts {
public:
    explicit LanguageTexts(const std::wstring& langFolder);
    ~LanguageTexts();
    LanguageTexts(const LanguageTexts&) = delete;
    LanguageTexts& operator=(const LanguageTexts&) = delete;

    std::wstring Text(const std::wstring& language, const std::string& key) const;
};

// The four graphics profiles of the installation, by preset level 0 LOW to 3 ULTRA.
class ProfileFiles {
public:
    explicit ProfileFiles(const std::wstring& profilesFolder);

    // The profile's text for section "Rendering", key; the empty text when missing.
    std::string Value(int level, const std::string& key) const;

private:
    std::map<int, std::unique_ptr<ConfigFile>> m_files;
};

// "PCLow", "PCMedium", "PCHigh", "PCUber" for levels 0 to 3.
std::string ProfileName(int level);
