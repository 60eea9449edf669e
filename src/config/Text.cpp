#include "Text.h"

#include <climits>

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of a well-formed sequence starting at bytes[i], or 0. Follows the Unicode rules
// for well-formed UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF); an ill-formed
// prefix is replaced by one U+FFFD and decoding resumes after it.
size_t DecodeOne(std::string_view bytes, size_t i, char32_t& cp, size_t& consumed) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80) {
        cp = lead;
        consumed = 1;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        consumed = 1;
        return 0;
    }
    size_t k = 1;
    for (; k < length && i + k < bytes.size(); ++k) {
        const unsigned char c = at(i + k);
        const bool inRange = k == 1 ? (c >= low && c <= high) : IsContinuation(c);
        if (!inRange)
            break;
        cp = (cp << 6) | (c & 0x3F);
    }
    consumed = k;
    return k == length ? length : 0;
}

} // namespace

size_t DecodeUtf8Sequence(std::string_view bytes, size_t i, char32_t& cp) {
    size_t consumed = 0;
    if (DecodeOne(bytes, i, cp, consumed) == 0)
        cp = kReplacementCharacter;
    return consumed;
}

char16_t* DecodeUtf8(std::string_view bytes, char16_t* out) {
    const size_t size = bytes.size();
    size_t i = 0;
    while (i < size) {
        // Nearly every byte of the game's files is ASCII: one unit, no sequence to decode.
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            *out++ = byte;
            ++i;
            continue;
        }
        char32_t cp = 0;
        i += DecodeUtf8Sequence(bytes, i, cp);
        if (cp < 0x10000) {
            *out++ = static_cast<char16_t>(cp);
        } else {
            cp -= 0x10000;
            *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
    std::u16string out(bytes.size(), u'\0');
    out.resize(static_cast<size_t>(DecodeUtf8(bytes, out.data()) - out.data()));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    // A unit gives at most three bytes, a surrogate pair four.
    std::string out(3 * text.size(), '\0');
    char* end = out.data();
    for (size_t i = 0; i < text.size(); ++i)
        end = EncodeUtf8(CodePointAt(text, i), end);
    out.resize(static_cast<size_t>(end - out.data()));
    return out;
}

std::u16string RegistryDataAsText(std::string_view bytes) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        const auto unit = static_cast<char16_t>(low | (high << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

std::u16string Widen(std::string_view latin1) {
    std::u16string out;
    out.reserve(latin1.size());
    for (char c : latin1)
        out.push_back(static_cast<unsigned char>(c));
    return out;
}

int32_t ParseDecimalInt(std::u16string_view text) {
    size_t i = 0;
    const auto isSpace = [](char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > int64_t{INT32_MAX} + 1)
            value = int64_t{INT32_MAX} + 1; // saturate; the clamp below picks the limit
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

std::u16string FormatDecimal(int64_t value) {
    return Widen(std::to_string(value));
}
