#include "ConfigStore.h"

std::unique_ptr<ConfigStore> UserStore;
std::unique_ptr<ConfigStore> ProfileStore;
std::unique_ptr<ConfigStore> LangStore;

ConfigStore::ConfigStore(std::u16string directory) : m_directory(std::move(directory)) {}

ConfigFile* ConfigStore::GetFile(const std::u16string& name) {
    if (name.empty())
        return nullptr;
    // A store holds a handful of files; a linear search in load order is all it needs.
    for (const auto& file : m_files)
        if (file->Name() == name)
            return file.get();
    std::u16string path = m_directory + name + u".ini";
    m_files.push_back(std::make_unique<ConfigFile>(name, std::move(path)));
    return m_files.back().get();
}

void ConfigStore::SaveAll() {
    // A file that cannot be written keeps its old contents; there is no one to tell.
    for (const auto& file : m_files)
        file->Write();
}

void ReleaseConfigStores() {
    UserStore.reset();
    ProfileStore.reset();
    LangStore.reset();
}

bool ReadValue(ConfigStore* store, const std::u16string& fileName, const std::u16string& section,
               const std::u16string& key, std::u16string& out) {
    if (!store)
        return false;
    ConfigFile* file = store->GetFile(fileName);
    if (!file)
        return false;
    const ConfigSection* found = file->FindSection(section, false);
    return found && found->GetValue(key, out);
}

bool WriteUserValue(const std::u16string& section, const std::u16string& key,
                    const std::u16string& value) {
    if (!UserStore)
        return false;
    ConfigFile* file = UserStore->GetFile(u"User");
    ConfigSection* found = file ? file->FindSection(section, true) : nullptr;
    return found && found->SetValue(key, value, false);
}
