#pragma once
// Gives a test its own UserStore and ProfileStore over fresh folders, so reads and writes go
// through the real configuration files.

#include "config/ConfigStore.h"
#include "config/ConfigTestSupport.h"
#include "config/Text.h"

#include <gtest/gtest.h>

#include <string>

class StoreFixture : public ::testing::Test {
protected:
    void TearDown() override { ReleaseConfigStores(); }

    // Writes <folder>/<name>.ini before the stores load it; folder is "user" or "profiles".
    void WriteIni(const std::string& folder, const std::string& name, const std::string& text) {
        WriteAll((folder == "user" ? m_user : m_profiles).Path(Widen(name + ".ini")), text);
    }

    void OpenStores() {
        UserStore = std::make_unique<ConfigStore>(m_user.Directory());
        ProfileStore = std::make_unique<ConfigStore>(m_profiles.Directory());
    }

    // The user file's value in memory, or "<absent>" when the key was never written.
    static std::string UserValue(const char16_t* section, const char16_t* key) {
        std::u16string value = u"<absent>";
        ReadValue(UserStore.get(), u"User", section, key, value);
        return Utf16ToUtf8(value);
    }

private:
    TempFolder m_user;
    TempFolder m_profiles;
};
