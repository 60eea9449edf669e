#pragma once
// Text values of the game's registry keys.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The largest value read; a longer one counts as missing.
inline constexpr DWORD kRegistryValueBytes = 4096;

// The value's data of any type as text (up to its first null unit or its end); nothing when
// the key is null, the value is missing, or it is longer than kRegistryValueBytes.
std::optional<std::u16string> ReadRegistryText(HKEY key, const wchar_t* name);

// Stores text as REG_SZ with its terminating null. False when the write fails.
bool WriteRegistryText(HKEY key, const wchar_t* name, const std::u16string& text);

// A value as stored: its type and its bytes.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

// The value as it is now; nothing when the key is null or the value missing or unreadable.
std::optional<RegistryValue> ReadRegistryValue(HKEY key, const wchar_t* name);

// Puts back a value read by ReadRegistryValue: stores it, or deletes the value when there was
// none. False when that fails.
bool RestoreRegistryValue(HKEY key, const wchar_t* name, const std::optional<RegistryValue>& value);
