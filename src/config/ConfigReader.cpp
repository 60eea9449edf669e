// The scan that turns a text into sections. The game reads its files by the same rules, so
// they are kept exactly, odd ones included: there is no comment character, text before the
// first header is ignored except "[", and a TAB ends a line.
//
// UTF-8 files, nearly all of them, are scanned as bytes and only names, keys and values are
// decoded, straight into their sections: every character the rules look at is ASCII, and
// in UTF-8 an ASCII byte is never part of a longer sequence, so lines split at the same
// places as in the decoded text. The one rule about other characters (a line start above
// U+00FF is skipped) looks at the whole character there. UTF-16LE files are decoded first
// and scanned by the same code over code units.

#include "ConfigFile.h"
#include "Text.h"

#include <cstring>
#include <optional>

namespace {

// Texts shorter than this are taken as empty files.
constexpr size_t kShortestText = 10;
// A code unit of the decoded text comes from at most three bytes of UTF-8 (a surrogate
// pair from four, a folded CR LF from two), so texts of at least this many bytes are never
// too short.
constexpr size_t kBytesNeverShort = 3 * kShortestText;

// The code unit as a number; the bytes of UTF-8 are plain chars, signed on most compilers.
uint32_t UnitValue(char unit) {
    return static_cast<unsigned char>(unit);
}
uint32_t UnitValue(char16_t unit) {
    return unit;
}

// The character at text[pos] as the decoded text has it, and how many units it takes. For
// UTF-16 a surrogate stays one unit: the scan treats each on its own.
char32_t CharacterAt(std::string_view text, size_t pos, size_t& length) {
    char32_t c = static_cast<unsigned char>(text[pos]);
    length = c < 0x80 ? 1 : DecodeUtf8Sequence(text, pos, c);
    return c;
}
char32_t CharacterAt(std::u16string_view text, size_t pos, size_t& length) {
    length = 1;
    return text[pos];
}

// Writes the decoded units of a piece at out (room for piece.size() units) and returns the
// end. A piece never holds a line end, so there is no CR LF to fold.
char16_t* DecodePiece(std::u16string_view piece, char16_t* out) {
    if (!piece.empty())
        std::memcpy(out, piece.data(), piece.size() * sizeof(char16_t));
    return out + piece.size();
}
char16_t* DecodePiece(std::string_view piece, char16_t* out) {
    return DecodeUtf8(piece, out);
}

// The UTF-8 text in a file's bytes: after the mark, up to the first zero byte (in UTF-8
// always U+0000, where the text ends). Nothing for files with a UTF-16 mark.
std::optional<std::string_view> Utf8Text(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return std::nullopt;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (const void* nul = std::memchr(bytes.data(), 0, bytes.size()))
        bytes = bytes.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - bytes.data()));
    return bytes;
}

} // namespace

// Friend of ConfigSection: a block's key lines are collected as positions in the text and
// put into their section in one go when the block ends (one buffer growth, one sort),
// without the checks of SetValue, which the scan rules already guarantee (a key is never
// empty, a value never empty).
template <typename Unit> class ConfigTextScanner {
public:
    using Text = std::basic_string_view<Unit>;

    ConfigTextScanner(Text text, ConfigSectionMap& sections) : m_text(text), m_sections(sections) {}

    // False when a rule stopped the reading before the end of the text.
    bool Run() {
        const bool whole = Scan();
        return EndBlock() && whole;
    }

private:
    struct KeyLine {
        size_t key;
        size_t equals; // the position of the first "="
        size_t end;
    };

    bool Scan() {
        while (m_pos < m_text.size()) {
            size_t length = 0;
            const char32_t c = CharacterAt(m_text, m_pos, length);
            if (c < 0x21 || c > 0xFF) {
                m_pos += length;
            } else if (c == u'[') {
                if (!ReadHeader())
                    return false;
            } else if (!m_headerClosed) {
                m_pos += length;
            } else if (!ReadKeyLine()) {
                return false;
            }
        }
        return true;
    }

    bool ReadHeader() {
        if (!EndBlock())
            return false;
        const size_t start = ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != ']') {
            if (UnitValue(m_text[m_pos]) <= 0x20)
                return false;
            ++m_pos;
        }
        const Text name = m_text.substr(start, m_pos - start);
        if (m_pos < m_text.size()) {
            ++m_pos; // past "]"
            m_headerClosed = true;
        }
        if (name.empty())
            return false;
        m_name.resize(name.size());
        m_name.resize(static_cast<size_t>(DecodePiece(name, m_name.data()) - m_name.data()));
        m_section = &FindOrAddSection();
        return true;
    }

    ConfigSection& FindOrAddSection() {
        auto it = m_sections.lower_bound(m_name);
        if (it == m_sections.end() || it->first != m_name)
            it = m_sections.emplace_hint(it, m_name, ConfigSection{});
        return it->second;
    }

    bool ReadKeyLine() {
        const size_t start = m_pos;
        size_t equals = Text::npos;
        for (; m_pos < m_text.size(); ++m_pos) {
            const uint32_t c = UnitValue(m_text[m_pos]);
            if (c < 0x20)
                break;
            if (c == u'=' && equals == Text::npos)
                equals = m_pos;
        }
        if (equals == start)
            return false;
        if (equals == Text::npos || equals + 1 == m_pos)
            return true; // no value: a comment or any other text
        m_block.push_back({start, equals, m_pos});
        m_blockUnits += m_pos - start - 1;
        return true;
    }

    // Puts the block's key lines into the current section (a closed header always set it
    // before any key line) in one go: their text decoded straight into the section's buffer,
    // grown once, then one sort of the new entries. False when the section cannot hold more
    // text, which stops the reading.
    bool EndBlock() {
        if (m_block.empty())
            return true;
        std::u16string& chars = m_section->m_chars;
        auto& entries = m_section->m_entries;
        const size_t firstNew = entries.size();
        if (!m_section->HasRoomFor(m_blockUnits))
            return false;
        entries.reserve(firstNew + m_block.size());
        size_t used = chars.size();
        // Room for the worst case: decoding never makes a piece longer.
        chars.resize(used + m_blockUnits);
        for (const KeyLine& line : m_block) {
            char16_t* const key = chars.data() + used;
            char16_t* const value = DecodePiece(Piece(line.key, line.equals), key);
            char16_t* const end = DecodePiece(Piece(line.equals + 1, line.end), value);
            entries.push_back(ConfigSection::MakeEntry(used, static_cast<size_t>(value - key),
                                                       static_cast<size_t>(end - value)));
            used += static_cast<size_t>(end - key);
        }
        chars.resize(used);
        m_section->SortFrom(firstNew);
        m_block.clear();
        m_blockUnits = 0;
        return true;
    }

    Text Piece(size_t from, size_t to) const { return m_text.substr(from, to - from); }

    Text m_text;
    ConfigSectionMap& m_sections;
    size_t m_pos = 0;
    bool m_headerClosed = false;
    ConfigSection* m_section = nullptr;
    std::vector<KeyLine> m_block; // key lines since the last header, in text order
    size_t m_blockUnits = 0;      // their keys and values, in units of the text
    std::u16string m_name;
};

bool ParseConfigText(std::u16string_view text, ConfigSectionMap& sections) {
    if (text.size() < kShortestText)
        return true;
    return ConfigTextScanner<char16_t>(text, sections).Run();
}

bool ReadConfigBytes(std::string_view bytes, ConfigSectionMap& sections) {
    const std::optional<std::string_view> utf8 = Utf8Text(bytes);
    if (utf8 && utf8->size() >= kBytesNeverShort)
        return ConfigTextScanner<char>(*utf8, sections).Run();
    std::u16string text;
    return DecodeConfigBytes(bytes, text) && ParseConfigText(text, sections);
}
