#pragma once
// DirectInput keyboard scan codes by their "DIK_" names: the keys a keyboard layout in
// "DIMapping" can map. Keys without a name here (keypad Enter, the Windows keys, ...) can
// never be mapped.

#include <cstdint>
#include <optional>
#include <string_view>

// The scan code of a DIK_ name (exact comparison), or nothing.
std::optional<uint8_t> FindScanCode(std::u16string_view name);
