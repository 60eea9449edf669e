#pragma once
// Test helpers: readable dumps of a model, scratch folders on disk, case tables kept in data/.

#include "config/ConfigFile.h"
#include "config/Text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>

namespace fs = std::filesystem;

// Printable ASCII as is, everything else as \u{XXXX}, so failures show exactly what differs.
inline std::string Escaped(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        char unit[16];
        std::snprintf(unit, sizeof unit, c >= 0x20 && c < 0x7F ? "%c" : "\\u{%04X}", unsigned{c});
        out += unit;
    }
    return out;
}

// A model as one line: [Section] key="value" key="value2" [Next] ...
inline std::string Dump(const ConfigSectionMap& sections) {
    std::string out;
    for (const auto& [name, section] : sections) {
        out += (out.empty() ? "[" : " [") + Escaped(name) + ']';
        for (const auto& [key, values] : section)
            for (const std::u16string_view value : values)
                out += ' ' + Escaped(key) + "=\"" + Escaped(value) + '"';
    }
    return out;
}

// Whole-file helpers that go through the standard library, not through the code under test.
inline std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline void WriteAll(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}
inline void SetReadOnly(const fs::path& path, bool readOnly) {
    fs::permissions(path, fs::perms::owner_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

// A fresh empty folder under the system's temporary folder, removed with everything in it.
struct TempFolder {
    TempFolder() {
        std::random_device seed;
        do
            m_root = fs::temp_directory_path() / ("cfgtest-" + std::to_string(seed()));
        while (!fs::create_directory(m_root));
    }
    ~TempFolder() { fs::remove_all(m_root, m_ignored); }

    const fs::path& Root() const { return m_root; }
    // The folder as a store expects it: ending with the platform's separator.
    std::u16string Directory() const { return (m_root / "").u16string(); }
    std::u16string Path(std::u16string_view name) const { return (m_root / name).u16string(); }
    // Everything under the folder, each file with its bytes, so that a check sees any change.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(m_root))
            files[entry.path().lexically_relative(m_root).generic_string()] =
                entry.is_directory() ? "<folder>" : ReadAll(entry.path());
        return files;
    }

private:
    fs::path m_root;
    std::error_code m_ignored;
};

// The bytes a case file spells with the escapes \n \r \t \0 and \xHH.
inline std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
        } else if (text[++i] == 'x') {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            const size_t k = std::string_view("nrt0").find(text[i]);
            out += k == std::string_view::npos ? text[i] : std::string_view("\n\r\t\0", 4)[k];
        }
    }
    return out;
}
inline std::u16string CaseText(std::string_view field) {
    return Utf8ToUtf16(Unescape(field));
}

// A case file: one case a line, its fields separated by " | " (a line ending in " |" ends with
// an empty field), without empty lines, "#" lines and "@" lines. A file without cases fails.
using Case = std::vector<std::string>;
inline std::vector<Case> ReadCases(const fs::path& file, bool declarations = false) {
    std::ifstream in(file, std::ios::binary);
    std::vector<Case> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || (line[0] == '@') != declarations)
            continue;
        line = line.substr(declarations ? 2 : 0) + (line.ends_with(" |") ? " " : "");
        Case& fields = cases.emplace_back();
        for (size_t start = 0, end = 0; end != std::string::npos; start = end + 3)
            fields.push_back(line.substr(start, (end = line.find(" | ", start)) - start));
    }
    EXPECT_FALSE(cases.empty()) << file;
    return cases;
}

// Runs each case through the function its first field names and expects its last field; each
// function is declared by "@ name | field | ... | result", and other fields or no cases fail.
using CaseFunctions = std::map<std::string, std::function<std::string(const Case&)>>;
inline void ExpectCases(const fs::path& file, const CaseFunctions& functions) {
    std::map<std::string, size_t> fields, cases;
    for (const Case& declaration : ReadCases(file, true))
        fields[declaration[0]] = declaration.size();
    for (const Case& c : ReadCases(file)) {
        const auto function = functions.find(c[0]);
        ASSERT_NE(function, functions.end()) << testing::PrintToString(c);
        ++cases[c[0]];
        if (c.size() != fields[c[0]])
            ADD_FAILURE() << "not the fields declared: " << testing::PrintToString(c);
        else
            EXPECT_EQ(function->second(c), c.back()) << testing::PrintToString(c);
    }
    for (const auto& [name, function] : functions)
        EXPECT_NE(cases[name], 0u) << "no cases of " << name << " in " << file;
}

// A file in the folder data/ beside the test source that names it.
#define TEST_DATA(name) (fs::path(__FILE__).parent_path() / "data" / (name))
