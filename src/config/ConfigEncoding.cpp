// Bytes on disk to text and back. The game's files are UTF-8 with or without the mark; some
// were saved as UTF-16LE by editors. Both directions write into a buffer sized once up front
// (the byte count bounds the decoded text; the encoded length is counted first), because
// language files and user files with many bindings can be large.

#include "ConfigEncoding.h"
#include "ConfigFile.h"
#include "Text.h"

#include <cstring>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

// UTF-8 up to the first NUL byte (in UTF-8 a zero byte is always U+0000), every CR LF read
// as LF. CR and LF are ASCII, which is never part of a longer sequence, so the runs between
// the pairs decode as they would within the whole text. Every byte gives at most one code
// unit, so the text never outgrows the byte count.
void DecodeUtf8Text(std::string_view bytes, std::u16string& text) {
    if (const void* nul = std::memchr(bytes.data(), 0, bytes.size()))
        bytes = bytes.substr(0, static_cast<const char*>(nul) - bytes.data());
    text.resize(bytes.size());
    char16_t* out = text.data();
    for (size_t crlf = bytes.find("\r\n"); crlf != std::string_view::npos;
         crlf = bytes.find("\r\n")) {
        out = DecodeUtf8(bytes.substr(0, crlf), out);
        bytes.remove_prefix(crlf + 1); // the LF begins the next run
    }
    out = DecodeUtf8(bytes, out);
    text.resize(static_cast<size_t>(out - text.data()));
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// UTF-16LE after its mark, up to the first U+0000. Lone surrogates become U+FFFD so that the
// model always re-encodes to UTF-8 without loss; a dangling odd byte is one more U+FFFD.
void DecodeUtf16Le(std::string_view bytes, std::u16string& text) {
    const size_t units = bytes.size() / 2;
    const bool oddByte = bytes.size() % 2 != 0;
    text.resize(units + (oddByte ? 1 : 0));
    const auto unitAt = [&](size_t k) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                     (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
    };
    char16_t* out = text.data();
    size_t k = 0;
    for (; k < units; ++k) {
        const char16_t c = unitAt(k);
        if (c == 0)
            break;
        if (c == u'\r' && k + 1 < units && unitAt(k + 1) == u'\n')
            continue;
        if (IsHighSurrogate(c) && k + 1 < units && IsLowSurrogate(unitAt(k + 1))) {
            *out++ = c;
            *out++ = unitAt(++k);
        } else {
            *out++ = (IsHighSurrogate(c) || IsLowSurrogate(c)) ? kReplacementCharacter : c;
        }
    }
    if (k == units && oddByte)
        *out++ = kReplacementCharacter;
    text.resize(static_cast<size_t>(out - text.data()));
}

} // namespace

bool DecodeConfigBytes(std::string_view bytes, std::u16string& text) {
    text.clear();
    if (StartsWith(bytes, "\xFE\xFF"))
        return false;
    if (StartsWith(bytes, "\xFF\xFE"))
        DecodeUtf16Le(bytes.substr(2), text);
    else if (StartsWith(bytes, kUtf8Mark))
        DecodeUtf8Text(bytes.substr(kUtf8Mark.size()), text);
    else
        DecodeUtf8Text(bytes, text);
    return true;
}

size_t EncodedLength(std::u16string_view text) {
    size_t length = text.size(); // one byte per unit, plus what each unit needs beyond it
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            if (c == u'\n')
                ++length; // written as CR LF
        } else if (c < 0x800) {
            length += 1;
        } else if (IsHighSurrogate(c) && i + 1 < size && IsLowSurrogate(text[i + 1])) {
            length += 2; // four bytes for the pair
            ++i;
        } else {
            length += 2; // three bytes, also for U+FFFD in place of a lone surrogate
        }
    }
    return length;
}

char* EncodeText(std::u16string_view text, char* out) {
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            if (c == u'\n')
                *out++ = '\r';
            *out++ = static_cast<char>(c);
        } else {
            out = EncodeUtf8(CodePointAt(text, i), out);
        }
    }
    return out;
}

std::string EncodeConfigBytes(std::u16string_view text) {
    // Sized exactly first: a large file must not grow its buffer, and so touch fresh memory,
    // more than once.
    std::string bytes(kUtf8Mark.size() + EncodedLength(text), '\0');
    kUtf8Mark.copy(bytes.data(), kUtf8Mark.size());
    EncodeText(text, bytes.data() + kUtf8Mark.size());
    return bytes;
}
