#pragma once
// The bindings of one keyboard layout in the user file "User": a section named by the layout
// ("InputQWERTY", ...) whose keys are IK_ names and whose values are binding texts
// (BindingText.h). The input editor holds them as two pages of 27 entries.

#include "BindableActions.h"

#include <array>
#include <cstdint>
#include <string>

class ConfigStore;

// One bindable action of one page.
struct BindingEntry {
    int32_t keyCode = 0; // InputKeyCode; 0 = not bound
    float value = 0;
    std::u16string gameInput;
};

using BindingPage = std::array<BindingEntry, BindableActionCount>;

enum class BindingPageKind { Keyboard, Gamepad };

// A page with every entry's game input and value set and no key bound.
BindingPage MakeBindingPage(BindingPageKind kind);

// The page's key codes from the defaults; on the keyboard page the letters depend on
// layoutName ("InputQWERTZ", "InputAZERTY", anything else QWERTY).
void ResetToDefaults(BindingPage& page, BindingPageKind kind, const std::u16string& layoutName);

// Unbinds both pages, then binds them from the layout's section of the file "User" of store,
// keys visited in ascending order, so the last wins. Of a key's values, those that name the
// game input of the key's own fixed binding are passed over (saving puts that one first, as
// on "IK_F5"), and the first of the others alone counts: if it parses, it binds every entry
// with the same game input and value on the gamepad page (keys beginning "IK_Pad") or the
// keyboard page. Keys that are no IK_ name are skipped. An empty layout name, a missing store
// or section: the defaults.
void LoadBindings(BindingPage& keyboard, BindingPage& gamepad, ConfigStore* store,
                  const std::u16string& layoutName);

// Replaces the layout's section of "User" with the fixed bindings and then, index by index,
// the keyboard and the gamepad entry that are bound (values appended under their key), and
// then writes every file of store, in request order as SaveAll does, even when the layout
// name is empty. True when "User", which holds the bindings, was written; false also without
// a store, and, with nothing changed or written, when an entry of either page has no game
// input (a page that was never made), which would save the section as if nothing were bound.
bool SaveBindings(const BindingPage& keyboard, const BindingPage& gamepad, ConfigStore* store,
                  const std::u16string& layoutName);

// The lowest index other than index whose entry has keyCode; -1 when there is none.
int FindDuplicateBinding(const BindingPage& page, int index, int32_t keyCode);
