#pragma once
// The 27 game actions that the input editor lets the player rebind, on a keyboard page and
// a gamepad page, with their defaults; and the bindings the editor always writes but never
// shows.

#include <cstddef>
#include <span>
#include <string_view>

struct BindableAction {
    std::u16string_view gameInput;
    float keyboardValue;
    // A stick axis feeds both of its directions with 1 on the gamepad page.
    float gamepadValue;
    // IK_ names; the keyboard defaults differ per layout only in letter keys. Empty: unbound.
    std::u16string_view qwertyDefault;
    std::u16string_view qwertzDefault;
    std::u16string_view azertyDefault;
    std::u16string_view gamepadDefault;
};

constexpr size_t BindableActionCount = 27;

// In entry order; the order of saving.
std::span<const BindableAction, BindableActionCount> BindableActions();

struct FixedBinding {
    std::u16string_view keyName;
    std::u16string_view gameInput;
};

// In the order they are written.
std::span<const FixedBinding> FixedBindings();
