#pragma once
// The rows of an input editor page (template IDD_INPUT_TAB): which edit and label show which
// binding entry, and the language-file keys of the page's texts.

#include "input/BindableActions.h"

#include <array>
#include <cstddef>
#include <string_view>

struct InputTabRow {
    int editId;
    int labelId;
    std::u16string_view labelKey; // section "InputEditor"
    int entry;                    // index into the page's BindingPage
};

struct InputTabText {
    int id;
    std::u16string_view key;
};

// In the template's order: MOVEMENT, COMBAT, GAMEPLAY, each top to bottom.
const std::array<InputTabRow, BindableActionCount>& InputTabRows();

// The group boxes and the reset button.
const std::array<InputTabText, 4>& InputTabTexts();
