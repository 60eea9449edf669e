// The scan that turns a decoded text into sections. The game reads its files by the same
// rules, so they are kept exactly, odd ones included: there is no comment character, text
// before the first header is ignored except "[", and a TAB ends a line.

#include "ConfigFile.h"

namespace {

// Texts shorter than this are taken as empty files.
constexpr size_t kShortestText = 10;

bool IsBlankOrControl(char16_t c) {
    return c <= 0x20;
}
bool IsControl(char16_t c) {
    return c < 0x20;
}

// Finds or adds the entry for key. The scratch string keeps its capacity from call to call,
// so looking up a key that is already there allocates nothing.
template <typename Map>
typename Map::mapped_type& Entry(Map& map, std::u16string_view key, std::u16string& scratch) {
    scratch.assign(key);
    auto it = map.lower_bound(scratch);
    if (it == map.end() || it->first != scratch)
        it = map.emplace_hint(it, scratch, typename Map::mapped_type{});
    return it->second;
}

} // namespace

// Friend of ConfigSection: appends values without the checks of SetValue, which the scan
// rules already guarantee (a key is never empty, a value never empty).
class ConfigTextScanner {
public:
    ConfigTextScanner(std::u16string_view text, ConfigSectionMap& sections)
        : m_text(text), m_sections(sections) {}

    // False when a rule stopped the reading before the end of the text.
    bool Run() {
        while (m_pos < m_text.size()) {
            const char16_t c = m_text[m_pos];
            if (c < 0x21 || c > 0xFF) {
                ++m_pos;
            } else if (c == u'[') {
                if (!ReadHeader())
                    return false;
            } else if (!m_headerClosed) {
                ++m_pos;
            } else if (!ReadKeyLine()) {
                return false;
            }
        }
        return true;
    }

private:
    bool ReadHeader() {
        const size_t start = ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != u']') {
            if (IsBlankOrControl(m_text[m_pos]))
                return false;
            ++m_pos;
        }
        const std::u16string_view name = m_text.substr(start, m_pos - start);
        if (m_pos < m_text.size()) {
            ++m_pos; // past "]"
            m_headerClosed = true;
        }
        if (name.empty())
            return false;
        m_section = &Entry(m_sections, name, m_scratch);
        return true;
    }

    bool ReadKeyLine() {
        const size_t start = m_pos;
        while (m_pos < m_text.size() && !IsControl(m_text[m_pos]))
            ++m_pos;
        const std::u16string_view line = m_text.substr(start, m_pos - start);
        const size_t equals = line.find(u'=');
        if (equals == 0)
            return false;
        if (equals == std::u16string_view::npos || equals + 1 == line.size())
            return true; // no value: a comment or any other text
        // A closed header always set the section, so m_section is never null here.
        Entry(m_section->m_values, line.substr(0, equals), m_scratch)
            .emplace_back(line.substr(equals + 1));
        return true;
    }

    std::u16string_view m_text;
    ConfigSectionMap& m_sections;
    size_t m_pos = 0;
    bool m_headerClosed = false;
    ConfigSection* m_section = nullptr;
    std::u16string m_scratch;
};

bool ParseConfigText(std::u16string_view text, ConfigSectionMap& sections) {
    if (text.size() < kShortestText)
        return true;
    return ConfigTextScanner(text, sections).Run();
}
