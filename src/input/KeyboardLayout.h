#pragma once
// The keyboard layout: which InputKeyCode each DirectInput scan code produces. Layouts live
// in the user file "DIMapping", one section per layout name ("InputQWERTY", "InputAZERTY",
// "InputQWERTZ"), key = DIK_ name, first value = IK_ name; the built-in US layout stands in
// when a layout has no section.

#include <array>
#include <cstdint>
#include <string>

class ConfigStore;

// Index: scan code 0-255; value: InputKeyCode, 0 ("IK_None") for keys no layout named.
using ScanCodeTable = std::array<int32_t, 256>;

// Writes the 100 entries of the built-in layout and nothing else.
void ApplyDefaultKeyboardLayout(ScanCodeTable& table);

// Fills table for layoutName from the file "DIMapping" of store (loaded there if it was not,
// so the store's next SaveAll writes it too). A missing store, file or section, or an empty
// name, applies the built-in layout. Otherwise only the entries that the section names are
// written: entries of earlier calls stay. Keys that are no DIK_ name and values that are no
// IK_ name are ignored; only the first value of a key counts.
void LoadKeyboardLayout(ScanCodeTable& table, ConfigStore* store, const std::u16string& layoutName);

// The same for the InputContext's table and UserStore; what the input editor calls.
void LoadKeyboardLayout(const std::u16string& layoutName);
