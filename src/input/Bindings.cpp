#include "Bindings.h"

#include "BindingText.h"
#include "InputContext.h"
#include "KeyNames.h"
#include "KeyboardLayoutTable.h"
#include "config/ConfigStore.h"

#include <algorithm>
#include <string_view>

namespace {

const std::u16string UserFileName = u"User";
constexpr std::u16string_view PadKeyPrefix = u"IK_Pad";

std::u16string_view DefaultKeyName(const BindableAction& action, BindingPageKind kind,
                                   const std::u16string& layoutName) {
    if (kind == BindingPageKind::Gamepad)
        return action.gamepadDefault;
    // Any other name, the empty one included, has the QWERTY defaults.
    const KeyboardLayoutRow* found = FindKeyboardLayout(layoutName);
    const KeyboardLayoutRow& layout = found ? *found : KeyboardLayouts().front();
    return action.*layout.defaultKey;
}

void Unbind(BindingPage& page) {
    for (BindingEntry& entry : page)
        entry.keyCode = 0;
}

void BindMatching(BindingPage& page, const std::u16string& gameInput, float value,
                  int32_t keyCode) {
    for (BindingEntry& entry : page) {
        if (entry.gameInput == gameInput && entry.value == value)
            entry.keyCode = keyCode;
    }
}

// The game input that the fixed bindings give key; empty for keys without one.
std::u16string_view FixedGameInput(std::u16string_view key) {
    for (const FixedBinding& fixed : FixedBindings()) {
        if (fixed.keyName == key)
            return fixed.gameInput;
    }
    return {};
}

// Saving puts a key's fixed binding before the player's (for example "IK_F5"), so a key's
// values that name its own fixed game input are passed over; of the rest only the first
// counts. False when that value does not parse or there is none.
bool FirstPlayerBinding(std::u16string_view key, const ConfigSection::Values& values,
                        std::u16string& gameInput, float& value) {
    const std::u16string_view fixed = FixedGameInput(key);
    for (const std::u16string_view text : values) {
        if (!ParseBindingText(text, gameInput, value))
            return false;
        if (fixed.empty() || gameInput != fixed)
            return true;
    }
    return false;
}

std::u16string FixedBindingText(std::u16string_view gameInput) {
    std::u16string text = u"(GameKey=\"";
    text.append(gameInput);
    text += u"\",Value=1)";
    return text;
}

bool HasGameInputs(const BindingPage& page) {
    return std::ranges::none_of(page,
                                [](const BindingEntry& entry) { return entry.gameInput.empty(); });
}

void AppendBinding(ConfigSection& section, const BindingEntry& entry) {
    std::u16string text;
    if (entry.keyCode != 0 && FormatBindingText(entry.gameInput, entry.value, text))
        section.SetValue(KeyCodeToName(entry.keyCode), text, true);
}

} // namespace

BindingPage MakeBindingPage(BindingPageKind kind) {
    BindingPage page;
    for (size_t i = 0; i < page.size(); ++i) {
        const BindableAction& action = BindableActions()[i];
        page[i].gameInput = action.gameInput;
        page[i].value =
            kind == BindingPageKind::Gamepad ? action.gamepadValue : action.keyboardValue;
    }
    return page;
}

void ResetToDefaults(BindingPage& page, BindingPageKind kind, const std::u16string& layoutName) {
    for (size_t i = 0; i < page.size(); ++i) {
        const std::u16string_view name = DefaultKeyName(BindableActions()[i], kind, layoutName);
        page[i].keyCode = name.empty() ? 0 : KeyNameToCode(name);
    }
}

void LoadBindings(BindingPage& keyboard, BindingPage& gamepad, ConfigStore* store,
                  const std::u16string& layoutName) {
    Unbind(keyboard);
    Unbind(gamepad);
    ConfigFile* file = store ? store->GetFile(UserFileName) : nullptr;
    const ConfigSection* section = file ? file->FindSection(layoutName, false) : nullptr;
    if (!section) {
        ResetToDefaults(keyboard, BindingPageKind::Keyboard, layoutName);
        ResetToDefaults(gamepad, BindingPageKind::Gamepad, layoutName);
        return;
    }
    const InputContext* context = GetInputContext();
    for (const auto& [key, values] : *section) {
        // A key outside the name table would unbind the action and lose an earlier key's
        // binding at the next save; it is skipped.
        const auto keyCode = context ? context->keyNames.Find(key) : std::nullopt;
        if (!keyCode)
            continue;
        BindingPage& page = key.starts_with(PadKeyPrefix) ? gamepad : keyboard;
        std::u16string gameInput;
        float value = 0;
        if (FirstPlayerBinding(key, values, gameInput, value))
            BindMatching(page, gameInput, value, *keyCode);
    }
}

bool SaveBindings(const BindingPage& keyboard, const BindingPage& gamepad, ConfigStore* store,
                  const std::u16string& layoutName) {
    if (!store || !HasGameInputs(keyboard) || !HasGameInputs(gamepad))
        return false;
    ConfigFile* file = store->GetFile(UserFileName);
    if (ConfigSection* section = file ? file->FindSection(layoutName, true) : nullptr) {
        section->Clear();
        for (const FixedBinding& fixed : FixedBindings())
            section->SetValue(std::u16string(fixed.keyName), FixedBindingText(fixed.gameInput),
                              true);
        for (size_t i = 0; i < keyboard.size(); ++i) {
            AppendBinding(*section, keyboard[i]);
            AppendBinding(*section, gamepad[i]);
        }
    }
    // SaveAll, keeping the result that matters to the player: whether the bindings were saved.
    bool saved = file != nullptr;
    for (const auto& each : store->Files()) {
        if (!each->Write() && each.get() == file)
            saved = false;
    }
    return saved;
}

int FindDuplicateBinding(const BindingPage& page, int index, int32_t keyCode) {
    for (int i = 0; i < static_cast<int>(page.size()); ++i) {
        if (i != index && page[i].keyCode == keyCode)
            return i;
    }
    return -1;
}
