#include "Text.h"

#include <climits>
#include <iterator>

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The well-formed sequences of more than one byte by their first byte, as the Unicode
// Standard tabulates them (no overlongs, no surrogates, nothing above U+10FFFF): their length
// and the range of their second byte; every later byte is any continuation byte.
struct LeadByte {
    unsigned char first;
    unsigned char last;
    size_t length;
    unsigned char secondLow;
    unsigned char secondHigh;
};
constexpr LeadByte kLeadBytes[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};
static_assert(std::size(kLeadBytes) == 8);

// Length of a well-formed sequence starting at bytes[i], or 0; an ill-formed prefix is
// replaced by one U+FFFD and decoding resumes after it.
size_t DecodeOne(std::string_view bytes, size_t i, char32_t& cp, size_t& consumed) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    consumed = 1;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    const LeadByte* rule = nullptr;
    for (const LeadByte& each : kLeadBytes) {
        if (lead >= each.first && lead <= each.last) {
            rule = &each;
            break;
        }
    }
    if (!rule)
        return 0;
    cp = lead & (0x7F >> rule->length);
    for (; consumed < rule->length && i + consumed < bytes.size(); ++consumed) {
        const auto c = static_cast<unsigned char>(bytes[i + consumed]);
        const bool inRange =
            consumed == 1 ? (c >= rule->secondLow && c <= rule->secondHigh) : IsContinuation(c);
        if (!inRange)
            break;
        cp = (cp << 6) | (c & 0x3F);
    }
    return consumed == rule->length ? rule->length : 0;
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
