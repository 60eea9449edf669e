#pragma once
// The game's input numbers (InputKeyCode, 0 to 255) and their "IK_" names. Every code has
// exactly one name; the names are what the game's binding files hold.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

constexpr int32_t InputKeyCodeCount = 256;

// Both directions of the key name table. Built once (by the InputContext); names compare
// exactly. Not copyable: the reverse index points into the names.
class KeyNameTable {
public:
    KeyNameTable();
    KeyNameTable(const KeyNameTable&) = delete;
    KeyNameTable& operator=(const KeyNameTable&) = delete;

    // The IK_ name of code; empty when code is outside 0-255.
    std::u16string NameOf(int32_t code) const;
    // The code of an IK_ name; 0 ("IK_None") when the name is not in the table.
    int32_t CodeOf(std::u16string_view name) const { return Find(name).value_or(0); }
    // The code of an IK_ name, or nothing.
    std::optional<int32_t> Find(std::u16string_view name) const;

private:
    std::array<std::u16string, InputKeyCodeCount> m_names;
    std::unordered_map<std::u16string_view, int32_t> m_codes;
};

// The lookups through the process-wide InputContext; 0 or empty if it cannot be had.
int32_t KeyNameToCode(std::u16string_view name);
std::u16string KeyCodeToName(int32_t code);
