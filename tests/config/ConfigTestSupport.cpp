#include "ConfigTestSupport.h"

#include "config/Text.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

std::string Escaped(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "\\u{%04X}", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

std::string Dump(const ConfigSectionMap& sections) {
    std::string out;
    for (const auto& [name, section] : sections) {
        if (!out.empty())
            out += ' ';
        out += '[' + Escaped(name) + ']';
        for (const auto& [key, values] : section)
            for (const auto& value : values)
                out += ' ' + Escaped(key) + "=\"" + Escaped(value) + '"';
    }
    return out;
}

std::string Utf16LeBytes(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

TempFolder::TempFolder() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (;;) {
        m_root = fs::temp_directory_path() / ("cfgtest-" + std::to_string(random() % 1000000000));
        if (fs::create_directory(m_root))
            break;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Read-only files would make the removal fail on Windows.
    for (const auto& entry : fs::recursive_directory_iterator(m_root, ignored))
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(m_root, ignored);
}

std::u16string TempFolder::Directory() const {
    return (m_root / "").u16string();
}

std::u16string TempFolder::Path(std::u16string_view name) const {
    return (m_root / name).u16string();
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_root))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadAll(const std::u16string& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::u16string& path, std::string_view bytes) {
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void SetReadOnly(const std::u16string& path, bool readOnly) {
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(fs::path(path), write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
}
