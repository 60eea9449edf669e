#pragma once
// Text helpers shared by the whole core. All in-memory text is UTF-16 (std::u16string),
// as on Windows, so ordering and character rules are identical on every build.

#include <cstdint>
#include <string>
#include <string_view>

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

// Appends one code point (not a surrogate) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

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
