#pragma once
// Where the tests put the game's installation and the player's files, and how each test gets
// a fresh copy of both.

#include <string>
#include <vector>

struct Installation {
    std::wstring root;       // everything the tests install lives below it
    std::wstring installDir; // the "InstallFolder" of the machine key, without trailing slash
    std::wstring documents;  // the player's documents folder, as the shell reports it

    std::wstring LangDir() const { return installDir + L"\\bin\\config\\lang"; }
    std::wstring ProfilesDir() const { return installDir + L"\\bin\\config\\profiles"; }
    std::wstring CookedDir() const { return installDir + L"\\CookedPC"; }
    std::wstring GameDocuments() const { return documents + L"\\Kestrand 2"; }
    std::wstring ConfigDir() const { return GameDocuments() + L"\\config"; }
    std::wstring UserIni() const { return ConfigDir() + L"\\User.ini"; }
};

// Points the prefix's documents folder at a folder of its own and returns the paths. Wine
// links the documents folder of every new prefix to the Unix home, which all prefixes on the
// machine share; the tests must not meet other runs' files there.
Installation TestInstallation();

// Points the player's documents folder (the shell's "Personal" folder) at folder until the
// next test's installation; true when the shell then reports it.
bool SetDocumentsFolder(const std::wstring& folder);

// Deletes the game's key in both hives and both registry views; copies the sample into a
// fresh installation folder; leaves the player's configuration folder empty; registers the
// installation in the machine key's 32-bit view, where the game's installer puts it, with
// "Language" EN and no "Speech". Returns what failed, or the empty text.
std::string PrepareFreshInstallation(const Installation& installation,
                                     const std::wstring& sampleDir);

// Replaces the data files whose names give the text (*.qzstrings) and voice (*.qzspeech)
// languages with empty files of the given base names.
bool ReplaceLanguageDataFiles(const Installation& installation,
                              const std::vector<std::wstring>& textNames,
                              const std::vector<std::wstring>& voiceNames);
