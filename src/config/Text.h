#pragma once
// Text helpers shared by the whole core. All in-memory text is UTF-16 (std::u16string),
// as on Windows, so ordering and character rules are identical on every build.

#include <cstdint>
#include <string>
#include <string_view>

// What every ill-formed sequence and lone surrogate becomes.
inline constexpr char16_t kReplacementCharacter = 0xFFFD;

// UTF-8 bytes to UTF-16. Invalid or truncated sequences each become U+FFFD. Tests spell their
// texts with it; the program decodes through DecodeUtf8.
std::u16string Utf8ToUtf16(std::string_view bytes);

// Decodes the UTF-8 sequence that starts at bytes[i] (i < bytes.size()) into cp and returns
// the bytes it took, at least 1. An ill-formed sequence gives U+FFFD for its longest invalid
// prefix, so decoding can simply go on after it.
size_t DecodeUtf8Sequence(std::string_view bytes, size_t i, char32_t& cp);

// Decodes bytes as UTF-8 sequence by sequence (DecodeUtf8Sequence) into UTF-16 at out and
// returns the end. Every byte gives at most one code unit, so out needs room for bytes.size()
// units. The one decoding loop: the file decoder and the reader's fast path use it.
char16_t* DecodeUtf8(std::string_view bytes, char16_t* out);

// Writes one code point (not a surrogate) as one to four bytes of UTF-8 at out and returns
// the end. The one encoder: Utf16ToUtf8 and the file encoder use it (inline, as the writer
// calls it for every character beyond ASCII).
inline char* EncodeUtf8(char32_t cp, char* out) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
        return out;
    }
    if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
    } else {
        if (cp < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (cp >> 12));
        } else {
            *out++ = static_cast<char>(0xF0 | (cp >> 18));
            *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        }
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    return out;
}

// The code point at text[i] (i < text.size()): a surrogate pair is taken whole, i then moving
// to its second unit, and a lone surrogate is U+FFFD. Inline: the writer calls it for every
// character beyond ASCII.
inline char32_t CodePointAt(std::u16string_view text, size_t& i) {
    const char16_t c = text[i];
    if (c < 0xD800 || c > 0xDFFF)
        return c;
    if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        ++i;
        return 0x10000 + ((c - 0xD800) << 10) + (text[i] - 0xDC00);
    }
    return kReplacementCharacter;
}

// UTF-16 to UTF-8. A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Registry data of any type taken as text: little-endian UTF-16 units up to the first null
// unit or the end of the data, whichever comes first; an odd last byte is no unit. Unlike a
// UTF-16LE file (DecodeConfigBytes), nothing is replaced and CR LF stays as it is.
std::u16string RegistryDataAsText(std::string_view bytes);

// Widens ASCII (or Latin-1) bytes code unit by code unit; for literals and numbers.
std::u16string Widen(std::string_view latin1);

// Reads a decimal integer the way the C library's wide-text conversion does: optional
// leading white space (space, TAB, LF, VT, FF, CR), an optional sign, then digits up to the
// first other character. No digits give 0; values beyond the signed 32-bit range give the
// nearest limit.
int32_t ParseDecimalInt(std::u16string_view text);

// Decimal text of a number, "C" locale.
std::u16string FormatDecimal(int64_t value);
