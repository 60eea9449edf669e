#pragma once
// Shared by the input tests: a user configuration folder on the real file system with its
// own store, scripted devices installed in the process-wide InputContext, and the bound
// entries of binding pages in a readable form.

#include "config/ConfigStore.h"
#include "config/ConfigTestSupport.h"
#include "config/Text.h"
#include "input/Bindings.h"
#include "input/InputContext.h"
#include "input/KeyNames.h"
#include "input/ScriptedInputDevices.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace input_test {

inline const std::string Bom = "\xEF\xBB\xBF";

// A fresh folder with a ConfigStore on it; <name>.ini is written before the store reads it.
class UserFolder {
public:
    void Write(const std::string& name, const std::string& bytes) const {
        WriteAll(Ini(name), bytes);
    }
    std::string Read(const std::string& name) const { return ReadAll(Ini(name)); }

    TempFolder folder;
    std::unique_ptr<ConfigStore> store = std::make_unique<ConfigStore>(folder.Directory());

private:
    std::u16string Ini(const std::string& name) const { return folder.Path(Widen(name + ".ini")); }
};

struct Pages {
    BindingPage keyboard = MakeBindingPage(BindingPageKind::Keyboard);
    BindingPage gamepad = MakeBindingPage(BindingPageKind::Gamepad);
};

// The bound entries as "index=IK_name", the keyboard page's before the "|" and the gamepad
// page's after it, for readable failures.
inline std::string Bound(const Pages& pages) {
    std::string text;
    for (const BindingPage* page : {&pages.keyboard, &pages.gamepad}) {
        for (size_t i = 0; i < page->size(); ++i) {
            if ((*page)[i].keyCode == 0)
                continue;
            const std::string name = Utf16ToUtf8(KeyCodeToName((*page)[i].keyCode));
            text += (page == &pages.gamepad ? " " : "") + std::to_string(i) + "=" + name +
                    (page == &pages.keyboard ? " " : "");
        }
        text += page == &pages.keyboard ? "|" : "";
    }
    return text;
}

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
