#pragma once
// Gives a test its own UserStore and ProfileStore over fresh folders under the temporary
// directory, so reads and writes go through the real configuration files.

#include "config/ConfigStore.h"
#include "config/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        m_root = std::filesystem::temp_directory_path() /
                 ("rendering-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_root / "user");
        std::filesystem::create_directories(m_root / "profiles");
    }

    void TearDown() override {
        ReleaseConfigStores();
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    // Writes <folder>/<name>.ini before the stores load it; folder is "user" or "profiles".
    void WriteIni(const std::string& folder, const std::string& name, const std::string& text) {
        std::ofstream(m_root / folder / (name + ".ini"), std::ios::binary) << text;
    }

    void OpenStores() {
        UserStore = std::make_unique<ConfigStore>(Folder("user"));
        ProfileStore = std::make_unique<ConfigStore>(Folder("profiles"));
    }

    // The user file's value in memory, or "<absent>" when the key was never written.
    static std::string UserValue(const char16_t* section, const char16_t* key) {
        std::u16string value = u"<absent>";
        ReadValue(UserStore.get(), u"User", section, key, value);
        return Utf16ToUtf8(value);
    }

private:
    std::u16string Folder(const char* name) const { return (m_root / name / "").u16string(); }

    std::filesystem::path m_root;
};
