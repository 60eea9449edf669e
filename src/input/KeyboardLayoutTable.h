#pragma once
// The three keyboard layouts the game knows, one row each, in the order of the main window's
// keyboard list: what the user file stores for the layout, the list's entry, the section of
// the layout's bindings ("User") and scan-code mapping ("DIMapping"), and what differs in its
// default keys and in the keys the input editor captures.

#include "BindableActions.h"

#include <cstddef>
#include <span>
#include <string_view>

struct KeyboardLayoutRow {
    std::u16string_view stored;  // "KeyboardLayout" in section "Input" of "User"
    std::u16string_view entry;   // the keyboard list's text, not localised
    std::u16string_view section; // "InputQWERTY", ...
    // The layout's column of keyboard defaults in BindableActions (they differ in letters).
    std::u16string_view BindableAction::*defaultKey;
    // M sits on the key that is ";" on QWERTY (scan code 0x27), and the QWERTY M key (0x32)
    // is punctuation: the capture rules of BindingCapture.
    bool mBesideL;
};

constexpr size_t KeyboardLayoutCount = 3;

// QWERTY, AZERTY, QWERTZ.
std::span<const KeyboardLayoutRow, KeyboardLayoutCount> KeyboardLayouts();

// The row whose section is exactly section, or null.
const KeyboardLayoutRow* FindKeyboardLayout(std::u16string_view section);
