#pragma once
// One INI-style configuration file of the game in memory, and the exact rules by which its
// text is read and written. Files are read whole once and written whole; nothing is edited
// in place.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

template <typename Unit> class ConfigTextScanner;

// One block of keys under a section header. Keys are ordered by unsigned UTF-16 code units
// (upper case before lower case); each key holds one or more values in the order added.
//
// The keys and values live in one buffer per section with a sorted index into it, so that
// a large file costs a few allocations per section rather than several per value. Keys and
// values come out as views into that buffer: they stay valid until the section is changed
// or destroyed; copies of a section own their own buffer.
class ConfigSection {
    struct Entry; // one value: its key and value text in m_chars

public:
    // The values of one key, in the order added, as views.
    class Values {
    public:
        class iterator {
        public:
            using iterator_category = std::input_iterator_tag;
            using iterator_concept = std::forward_iterator_tag;
            using value_type = std::u16string_view;
            using difference_type = std::ptrdiff_t;
            using reference = std::u16string_view;
            using pointer = void;

            iterator() = default;
            iterator(const Entry* entry, const char16_t* chars) : m_entry(entry), m_chars(chars) {}
            std::u16string_view operator*() const {
                return {m_chars + m_entry->offset + m_entry->keyLength, m_entry->valueLength};
            }
            iterator& operator++() {
                ++m_entry;
                return *this;
            }
            iterator operator++(int) {
                iterator before = *this;
                ++m_entry;
                return before;
            }
            bool operator==(const iterator& other) const { return m_entry == other.m_entry; }

        private:
            const Entry* m_entry = nullptr;
            const char16_t* m_chars = nullptr;
        };

        Values(const Entry* first, const Entry* last, const char16_t* chars)
            : m_first(first), m_last(last), m_chars(chars) {}
        iterator begin() const { return {m_first, m_chars}; }
        iterator end() const { return {m_last, m_chars}; }
        std::u16string_view front() const { return *begin(); }
        size_t size() const { return static_cast<size_t>(m_last - m_first); }
        bool empty() const { return m_first == m_last; }

    private:
        const Entry* m_first;
        const Entry* m_last;
        const char16_t* m_chars;
    };

    // What iterating a section gives: `for (const auto& [key, values] : section)`.
    struct KeyValues {
        std::u16string_view key;
        Values values;
    };

    // The keys in order, each once with all its values.
    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using iterator_concept = std::forward_iterator_tag;
        using value_type = KeyValues;
        using difference_type = std::ptrdiff_t;
        using reference = KeyValues;
        using pointer = void;

        const_iterator() = default;
        const_iterator(const Entry* first, const Entry* end, const char16_t* chars);
        KeyValues operator*() const { return {Key(), Values(m_first, m_last, m_chars)}; }
        const_iterator& operator++();
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const { return m_first == other.m_first; }

    private:
        std::u16string_view Key() const { return {m_chars + m_first->offset, m_first->keyLength}; }
        const Entry* FirstOfNextKey() const;

        const Entry* m_first = nullptr; // the first value of the current key
        const Entry* m_last = nullptr;  // one past its last value
        const Entry* m_end = nullptr;
        const char16_t* m_chars = nullptr;
    };

    // Copies the FIRST value of key into out and returns true; on a miss returns false and
    // leaves out unchanged, so callers may preset a default.
    bool GetValue(std::u16string_view key, std::u16string& out) const;

    // An empty key, or append with an empty value, is refused (false, nothing changes).
    // append false: the key ends with exactly one value (an empty value is accepted).
    // append true: value is added after the existing values.
    // key and value may be views into this section. A section holds up to 4 G code units of
    // keys and values; beyond that SetValue fails.
    bool SetValue(std::u16string_view key, std::u16string_view value, bool append);

    // Removes every key; the section itself stays in its file.
    void Clear();

    const_iterator begin() const;
    const_iterator end() const;
    bool empty() const { return m_entries.empty(); }

    // Same keys with the same values in the same order.
    bool operator==(const ConfigSection& other) const;

private:
    template <typename Unit> friend class ConfigTextScanner; // fills sections in bulk

    // 32-bit positions keep a large file's model small; a section holds up to 4 G units.
    struct Entry {
        uint32_t offset; // of the key in m_chars; the value follows it
        uint32_t keyLength;
        uint32_t valueLength;
    };
    static constexpr size_t kMostChars = UINT32_MAX;

    static Entry MakeEntry(size_t offset, size_t keyLength, size_t valueLength) {
        return {static_cast<uint32_t>(offset), static_cast<uint32_t>(keyLength),
                static_cast<uint32_t>(valueLength)};
    }
    bool HasRoomFor(size_t units) const {
        return units <= kMostChars && m_chars.size() <= kMostChars - units;
    }

    std::u16string_view KeyOf(const Entry& entry) const;
    std::u16string_view ValueOf(const Entry& entry) const;
    bool KeyLess(const Entry& a, const Entry& b) const { return KeyOf(a) < KeyOf(b); }
    std::vector<Entry>::const_iterator FirstOf(std::u16string_view key) const;
    std::vector<Entry>::iterator FirstOf(std::u16string_view key);
    bool Holds(std::u16string_view text) const;
    void SortFrom(size_t firstNew);
    void DropReplacedText();

    std::u16string m_chars;       // every key and value, back to back
    std::vector<Entry> m_entries; // sorted by key; values of one key in the order added
    size_t m_replacedChars = 0;   // chars in m_chars that no entry uses any more
};

using ConfigSectionMap = std::map<std::u16string, ConfigSection>;

// Decodes a file's bytes: UTF-8 mark skipped, FF FE read as UTF-16LE, anything else UTF-8
// (invalid sequences and lone surrogates become U+FFFD). CR LF pairs become LF and the text
// ends at its first U+0000. Returns false (and an empty text) for the unreadable FE FF mark.
bool DecodeConfigBytes(std::string_view bytes, std::u16string& text);

// Scans a decoded text into sections. Returns true when the whole text was taken; false when
// reading stopped early (a header holding a control character or blank, "[]", a key line
// starting with "="), in which case everything read before the stop is kept. A text of fewer
// than 10 code units gives no sections and counts as read whole.
bool ParseConfigText(std::u16string_view text, ConfigSectionMap& sections);

// DecodeConfigBytes and then ParseConfigText, with the same model and result, in one pass:
// UTF-8 is decoded only where names, keys and values are, straight into their sections.
bool ReadConfigBytes(std::string_view bytes, ConfigSectionMap& sections);

// The written form of the model with LF line ends: sections and keys in order, one line per
// value, an empty line after each section.
std::u16string FormatConfigText(const ConfigSectionMap& sections);

// The bytes on disk: the UTF-8 mark, then the text in UTF-8 with every LF written as CR LF.
std::string EncodeConfigBytes(std::u16string_view text);

// EncodeConfigBytes(FormatConfigText(sections)) without the UTF-16 text in between: what
// Write puts on disk.
std::string FormatConfigBytes(const ConfigSectionMap& sections);

class ConfigFile {
public:
    // Stores name and path and reads the file at once. Always succeeds: a missing or
    // unreadable file gives an empty model.
    ConfigFile(std::u16string name, std::u16string path);

    // Builds a file from bytes already in memory (tests, fuzzing); path is where Write goes
    // (with an empty path Write fails and touches nothing).
    static std::unique_ptr<ConfigFile> FromBytes(std::u16string name, std::u16string path,
                                                 std::string_view bytes);

    const std::u16string& Name() const { return m_name; }
    const std::u16string& Path() const { return m_path; }

    // An empty name gives null. create adds a missing section.
    ConfigSection* FindSection(const std::u16string& name, bool create);
    // The whole model, for tests, fuzzing and benchmarks.
    const ConfigSectionMap& Sections() const { return m_sections; }

    // Writes the whole model to Path(): the text goes to a temporary file in the same folder,
    // is flushed, and replaces the target in one rename. Returns false, leaving the old file
    // byte-identical and no temporary file behind, when any step fails or the target is
    // read-only. The new file keeps the attributes of the one it replaces. When the file on
    // disk was not taken whole into the model (reading stopped early, text after a U+0000, or
    // the FE FF mark), the first Write keeps the original bytes as a backup before replacing
    // it: "<path>.bak", or where that name is taken the first free one of "<path>.2.bak" to
    // "<path>.99.bak"; no free name, no backup, no Write. A file that existed but could not be
    // read at all is backed up as it is at the first Write, and not replaced while it still
    // cannot be read.
    bool Write();

    // True when the file's text was taken whole into the model (or there was no file). For
    // tests and fuzzing: Write decides about the backup itself.
    bool WasReadWhole() const { return m_originalBytes.empty() && !m_unreadable; }

private:
    ConfigFile(std::u16string name, std::u16string path, std::string_view bytes, bool exists);

    std::u16string m_name;
    std::u16string m_path;
    ConfigSectionMap m_sections;
    // The bytes read, kept only while they still need a backup before the first Write.
    std::string m_originalBytes;
    // Something was at the path but could not be read; nothing of it is in the model.
    bool m_unreadable = false;
};
