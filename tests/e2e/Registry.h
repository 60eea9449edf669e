#pragma once
// The game's registry key as the tests prepare and inspect it, in either registry view.

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>

inline constexpr wchar_t kGameKeyPath[] = L"Software\\Morvenhall\\The Kestrand 2";

// One place of the game's key: the player's (HKCU) or the machine's (HKLM) hive, and the
// 64-bit or the 32-bit (KEY_WOW64_32KEY) view. The game's installer writes the 32-bit one.
struct GameKey {
    HKEY root;
    bool wow64_32;
    const char* Name() const;
};

inline const GameKey kPlayerKey{HKEY_CURRENT_USER, false};
inline const GameKey kPlayerKey32{HKEY_CURRENT_USER, true};
inline const GameKey kMachineKey32{HKEY_LOCAL_MACHINE, true};
inline const GameKey kMachineKey64{HKEY_LOCAL_MACHINE, false};

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const RegistryValue&) const = default;
};

// A string value as the Win32 API stores it: UTF-16LE with its terminating null.
RegistryValue StringValue(std::wstring_view text);

// Removes the key with all its values and sub-keys; true when it is gone.
bool DeleteGameKey(const GameKey& key);

// Creates the key when needed and sets the value.
bool SetGameValue(const GameKey& key, const std::wstring& name, const RegistryValue& value);
bool SetGameString(const GameKey& key, const std::wstring& name, std::wstring_view text);
bool DeleteGameValue(const GameKey& key, const std::wstring& name);

// nullopt when the key or the value is missing.
std::optional<RegistryValue> ReadGameValue(const GameKey& key, const std::wstring& name);

// Every value of the key; nullopt when the key is missing.
std::optional<std::map<std::wstring, RegistryValue>> SnapshotGameKey(const GameKey& key);
