#include "system/Registry.h"

#include "config/Text.h"
#include "system/WideText.h"

#include <array>
#include <string_view>

std::optional<std::u16string> ReadRegistryText(HKEY key, const wchar_t* name) {
    if (!key)
        return std::nullopt;
    // Room for a terminator the value may lack, although the length decides where it ends.
    std::array<BYTE, kRegistryValueBytes + sizeof(wchar_t)> buffer{};
    DWORD size = kRegistryValueBytes;
    if (RegQueryValueExW(key, name, nullptr, nullptr, buffer.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (size > kRegistryValueBytes)
        size = kRegistryValueBytes;
    return RegistryDataAsText(std::string_view(reinterpret_cast<const char*>(buffer.data()), size));
}

bool WriteRegistryText(HKEY key, const wchar_t* name, const std::u16string& text) {
    if (!key)
        return false;
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(AsWide(text)),
                          bytes) == ERROR_SUCCESS;
}

std::optional<RegistryValue> ReadRegistryValue(HKEY key, const wchar_t* name) {
    RegistryValue value;
    DWORD size = 0;
    if (!key || RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    if (RegQueryValueExW(key, name, nullptr, &value.type, value.bytes.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

bool RestoreRegistryValue(HKEY key, const wchar_t* name,
                          const std::optional<RegistryValue>& value) {
    if (!key)
        return false;
    if (!value) {
        const LSTATUS status = RegDeleteValueW(key, name);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    return RegSetValueExW(key, name, 0, value->type, value->bytes.data(),
                          static_cast<DWORD>(value->bytes.size())) == ERROR_SUCCESS;
}
