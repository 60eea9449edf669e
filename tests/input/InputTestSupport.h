#pragma once
// Shared by the input tests: a user configuration folder on the real file system with its
// own store, and scripted devices installed in the process-wide InputContext.

#include "config/ConfigStore.h"
#include "input/InputContext.h"
#include "input/ScriptedInputDevices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace input_test {

// A fresh folder under the temporary folder with a ConfigStore on it; removed afterwards.
class UserFolder {
public:
    UserFolder() {
        std::random_device random;
        m_root = std::filesystem::temp_directory_path() /
                 ("input-test-" + std::to_string(random()) + "-" + std::to_string(random()));
        std::filesystem::create_directories(m_root);
        store = std::make_unique<ConfigStore>((m_root / "").u16string());
    }
    ~UserFolder() {
        store.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    UserFolder(const UserFolder&) = delete;
    UserFolder& operator=(const UserFolder&) = delete;

    // <name>.ini with exactly these bytes, before the store reads it.
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_root / (name + ".ini"), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(m_root / (name + ".ini"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::unique_ptr<ConfigStore> store;

private:
    std::filesystem::path m_root;
};

// Puts scripted devices and the built-in layout into the InputContext for one test, and the
// platform's devices back afterwards.
class ScriptedContext : public ::testing::Test {
protected:
    void SetUp() override {
        context = GetInputContext();
        ASSERT_NE(context, nullptr);
        auto scripted = std::make_unique<ScriptedInputDevices>();
        devices = scripted.get();
        context->devices = std::move(scripted);
        context->scanCodeTable = {};
        ApplyDefaultKeyboardLayout(context->scanCodeTable);
    }
    void TearDown() override { context->devices = CreatePlatformInputDevices(); }

    InputContext* context = nullptr;
    ScriptedInputDevices* devices = nullptr;
};

} // namespace input_test
