#pragma once
// Every text the player sees comes from the game's language files in LangStore: the file
// named by the language, section "Configurator" for the main window, "InputEditor" for the
// input editor. The key itself stands in for any missing text.

#include <string>

// First value of key in section "Configurator" of the language file; key itself when the
// language is empty, LangStore is absent, or the file, section or key is missing.
std::u16string GetConfiguratorText(const std::u16string& language, const std::u16string& key);

// The same with section "InputEditor".
std::u16string GetInputEditorText(const std::u16string& language, const std::u16string& key);
