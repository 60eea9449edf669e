#pragma once
// The configuration files of one folder, found by exact name and loaded on first request.
// Every part of the program sees one shared copy of each file.

#include "ConfigFile.h"

#include <memory>
#include <string>
#include <vector>

class ConfigStore {
public:
    // directory ends with a path separator; file paths are directory + name + ".ini".
    // Nothing is read here.
    explicit ConfigStore(std::u16string directory);

    const std::u16string& Directory() const { return m_directory; }

    // An empty name gives null. Otherwise the file of that exact name, loaded (possibly
    // empty) on the first request and kept for the store's lifetime.
    ConfigFile* GetFile(const std::u16string& name);

    // Writes every file requested so far, in request order, ignoring each result.
    void SaveAll();

    // Every file requested so far, in request order.
    const std::vector<std::unique_ptr<ConfigFile>>& Files() const { return m_files; }

private:
    std::u16string m_directory;
    std::vector<std::unique_ptr<ConfigFile>> m_files;
};

// The three process-wide stores. Empty before the main dialog creates them and after it
// releases them; every user does nothing when a store is absent. Releasing writes nothing.
extern std::unique_ptr<ConfigStore> UserStore;
extern std::unique_ptr<ConfigStore> ProfileStore;
extern std::unique_ptr<ConfigStore> LangStore;

// Releases UserStore, ProfileStore and LangStore in that order; safe to call again.
void ReleaseConfigStores();

// GetFile, FindSection without creating, GetValue. False at the first step that finds
// nothing (a null store included); out is then unchanged. The file stays loaded.
bool ReadValue(ConfigStore* store, const std::u16string& fileName, const std::u16string& section,
               const std::u16string& key, std::u16string& out);

// Sets section/key of the file "User" of UserStore to exactly one value, creating the section.
// False when UserStore is absent or SetValue refuses.
bool WriteUserValue(const std::u16string& section, const std::u16string& key,
                    const std::u16string& value);
