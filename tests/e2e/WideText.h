#pragma once
// Conversions between the Win32 side of the driver (wchar_t) and the core's UTF-16 and UTF-8
// texts. On Windows wchar_t is one UTF-16 code unit, so the conversions copy units.

#include "config/Text.h"

#include <string>
#include <string_view>

inline std::u16string ToU16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::wstring Utf8ToWide(std::string_view bytes) {
    return ToWide(Utf8ToUtf16(bytes));
}

inline std::string WideToUtf8(std::wstring_view text) {
    return Utf16ToUtf8(ToU16(text));
}
