#pragma once
// DirectInput keyboard scan codes by their "DIK_" names: the keys a keyboard layout in
// "DIMapping" can map. Keys without a name here (keypad Enter, the Windows keys, ...) can
// never be mapped.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

struct ScanCodeName {
    std::u16string_view name;
    uint8_t scanCode;
};

// The 100 names, with DirectInput's alternate names for Backspace and the Alt keys.
std::span<const ScanCodeName> ScanCodeNames();

// The scan code of a DIK_ name (exact comparison), or nothing.
std::optional<uint8_t> FindScanCode(std::u16string_view name);
