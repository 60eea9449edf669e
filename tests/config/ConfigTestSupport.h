#pragma once
// Helpers shared by the configuration tests: readable dumps of a model and scratch folders
// on the real file system.

#include "config/ConfigFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Printable ASCII as is, everything else as \u{XXXX}, so failures show exactly what differs.
std::string Escaped(std::u16string_view text);

// A model as one line: [Section] key="value" key="value2" [Next] ...
std::string Dump(const ConfigSectionMap& sections);

// UTF-16LE bytes with the FF FE mark, for files saved by UTF-16 editors.
std::string Utf16LeBytes(std::u16string_view text);

// A fresh empty folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    // The folder as a store expects it: ending with the platform's separator.
    std::u16string Directory() const;
    std::u16string Path(std::u16string_view name) const;
    // Names of everything in the folder, sorted.
    std::vector<std::string> Names() const;

private:
    std::filesystem::path m_root;
};

// Whole-file helpers that go through the standard library, not through the code under test.
std::string ReadAll(const std::u16string& path);
void WriteAll(const std::u16string& path, std::string_view bytes);
void SetReadOnly(const std::u16string& path, bool readOnly);
