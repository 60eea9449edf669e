#pragma once
// One INI-style configuration file of the game in memory, and the exact rules by which its
// text is read and written. Files are read whole once and written whole; nothing is edited
// in place.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One block of keys under a section header. Keys are ordered by unsigned UTF-16 code units
// (upper case before lower case); each key holds one or more values in the order added.
class ConfigSection {
public:
    using Values = std::vector<std::u16string>;
    using KeyMap = std::map<std::u16string, Values>;

    // Copies the FIRST value of key into out and returns true; on a miss returns false and
    // leaves out unchanged, so callers may preset a default.
    bool GetValue(std::u16string_view key, std::u16string& out) const;

    // An empty key, or append with an empty value, is refused (false, nothing changes).
    // append false: the key ends with exactly one value (an empty value is accepted).
    // append true: value is added after the existing values.
    bool SetValue(const std::u16string& key, const std::u16string& value, bool append);

    // Removes every key; the section itself stays in its file.
    void Clear() { m_values.clear(); }

    const KeyMap& Keys() const { return m_values; }
    KeyMap::const_iterator begin() const { return m_values.begin(); }
    KeyMap::const_iterator end() const { return m_values.end(); }

    bool operator==(const ConfigSection&) const = default;

private:
    friend class ConfigTextScanner; // the reader fills sections without per-call checks

    KeyMap m_values;
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

// The written form of the model with LF line ends: sections and keys in order, one line per
// value, an empty line after each section.
std::u16string FormatConfigText(const ConfigSectionMap& sections);

// The bytes on disk: the UTF-8 mark, then the text in UTF-8 with every LF written as CR LF.
std::string EncodeConfigBytes(std::u16string_view text);

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
    const ConfigSectionMap& Sections() const { return m_sections; }

    // Writes the whole model to Path(): the text goes to a temporary file in the same folder,
    // is flushed, and replaces the target in one rename. Returns false, leaving the old file
    // byte-identical and no temporary file behind, when any step fails or the target is
    // read-only. When the file on disk was not taken whole into the model (reading stopped
    // early, text after a U+0000, or the FE FF mark), the first Write keeps the original bytes
    // as "<path>.bak" before replacing it. A file that existed but could not be read at all
    // is backed up as it is at the first Write, and not replaced while it still cannot be read.
    bool Write();

    // True when the file's text was taken whole into the model (or there was no file).
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
