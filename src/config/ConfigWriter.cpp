// The written form of the model, in the layout the game expects: sorted sections and keys,
// one line per value, an empty line after every section. Lines have no length limit.
//
// The layout is written once, over an output that either counts or writes, so that each
// result is sized exactly before it is filled: a large file then touches its memory once.

#include "ConfigEncoding.h"
#include "ConfigFile.h"

namespace {

template <typename Output> void Lay(const ConfigSectionMap& sections, Output& out) {
    for (const auto& [name, section] : sections) {
        out.Char(u'[');
        out.Text(name);
        out.Char(u']');
        out.Char(u'\n');
        for (const auto& [key, values] : section) {
            for (const std::u16string_view value : values) {
                out.Text(key);
                out.Char(u'=');
                out.Text(value);
                out.Char(u'\n');
            }
        }
        out.Char(u'\n');
    }
}

struct TextLength {
    size_t units = 0;
    void Text(std::u16string_view text) { units += text.size(); }
    void Char(char16_t) { ++units; }
};

struct TextOutput {
    std::u16string& text;
    void Text(std::u16string_view more) { text += more; }
    void Char(char16_t c) { text += c; }
};

// Only ASCII goes through Char, and of it only LF takes two bytes.
struct BytesLength {
    size_t bytes = 0;
    void Text(std::u16string_view text) { bytes += EncodedLength(text); }
    void Char(char16_t c) { bytes += c == u'\n' ? 2 : 1; }
};

struct BytesOutput {
    char* out;
    void Text(std::u16string_view text) { out = EncodeText(text, out); }
    void Char(char16_t c) {
        if (c == u'\n')
            *out++ = '\r';
        *out++ = static_cast<char>(c);
    }
};

} // namespace

std::u16string FormatConfigText(const ConfigSectionMap& sections) {
    TextLength length;
    Lay(sections, length);
    std::u16string text;
    text.reserve(length.units);
    TextOutput output{text};
    Lay(sections, output);
    return text;
}

std::string FormatConfigBytes(const ConfigSectionMap& sections) {
    static constexpr std::string_view kMark = "\xEF\xBB\xBF";
    BytesLength length;
    Lay(sections, length);
    std::string bytes(kMark.size() + length.bytes, '\0');
    kMark.copy(bytes.data(), kMark.size());
    BytesOutput output{bytes.data() + kMark.size()};
    Lay(sections, output);
    return bytes;
}
