#pragma once
// The core keeps text as UTF-16 in std::u16string; Win32 wants wchar_t. On Windows both are
// 16-bit units, so the boundary is a cast of the data pointer, never a conversion.

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

// Valid for as long as text lives and is not modified.
inline const wchar_t* AsWide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// Up to the first null character.
inline std::u16string FromWide(const wchar_t* text) {
    return text ? FromWide(std::wstring_view(text)) : std::u16string();
}
