#include "Registry.h"

#include <vector>

namespace {

REGSAM ViewFlag(const GameKey& key) {
    return key.wow64_32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

// Owns an open key.
class OpenKey {
public:
    OpenKey(const GameKey& key, const wchar_t* path, REGSAM access, bool create) {
        const REGSAM sam = access | ViewFlag(key);
        const LONG result =
            create ? RegCreateKeyExW(key.root, path, 0, nullptr, 0, sam, nullptr, &m_key, nullptr)
                   : RegOpenKeyExW(key.root, path, 0, sam, &m_key);
        if (result != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~OpenKey() {
        if (m_key)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

constexpr wchar_t kParentPath[] = L"Software\\Morvenhall";
constexpr wchar_t kLeafName[] = L"The Kestrand 2";

} // namespace

const char* GameKey::Name() const {
    const bool user = root == HKEY_CURRENT_USER;
    if (wow64_32)
        return user ? "HKCU (32-bit view)" : "HKLM (32-bit view)";
    return user ? "HKCU" : "HKLM (64-bit view)";
}

RegistryValue StringValue(std::wstring_view text) {
    RegistryValue value{REG_SZ, {}};
    for (const wchar_t unit : text) {
        value.bytes.push_back(static_cast<char>(unit & 0xFF));
        value.bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    value.bytes.append(2, '\0');
    return value;
}

bool DeleteGameKey(const GameKey& key) {
    {
        const OpenKey parent(key, kParentPath, KEY_ALL_ACCESS, false);
        if (parent.Get())
            RegDeleteTreeW(parent.Get(), kLeafName);
    }
    return !SnapshotGameKey(key);
}

bool SetGameValue(const GameKey& key, const std::wstring& name, const RegistryValue& value) {
    const OpenKey open(key, kGameKeyPath, KEY_ALL_ACCESS, true);
    // A string whose count leaves out its terminator gets one more unit stored when the unit
    // after the data happens to be null (the system's own courtesy): a unit that is not null
    // follows the data, so exactly the bytes given are stored.
    const std::string data = value.bytes + "\xFF\xFF";
    return open.Get() && RegSetValueExW(open.Get(), name.c_str(), 0, value.type,
                                        reinterpret_cast<const BYTE*>(data.data()),
                                        static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

bool SetGameString(const GameKey& key, const std::wstring& name, std::wstring_view text) {
    return SetGameValue(key, name, StringValue(text));
}

bool DeleteGameValue(const GameKey& key, const std::wstring& name) {
    const OpenKey open(key, kGameKeyPath, KEY_ALL_ACCESS, false);
    if (!open.Get())
        return true;
    const LONG result = RegDeleteValueW(open.Get(), name.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::optional<RegistryValue> ReadGameValue(const GameKey& key, const std::wstring& name) {
    const OpenKey open(key, kGameKeyPath, KEY_READ, false);
    if (!open.Get())
        return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(open.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    RegistryValue value{type, std::string(size, '\0')};
    if (RegQueryValueExW(open.Get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.bytes.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

std::optional<std::map<std::wstring, RegistryValue>> SnapshotGameKey(const GameKey& key) {
    const OpenKey open(key, kGameKeyPath, KEY_READ, false);
    if (!open.Get())
        return std::nullopt;
    std::map<std::wstring, RegistryValue> values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384, type = 0, size = 0;
        if (RegEnumValueW(open.Get(), index, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        values[name] = ReadGameValue(key, name).value_or(RegistryValue{});
    }
    return values;
}
