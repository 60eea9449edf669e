#include "ConfigFile.h"
#include "FileIo.h"
#include "Text.h"

namespace {

// A backup never replaces a file: the player's own "User.ini.bak", or one kept by an earlier
// save, stays as it is, and the first free name of the sequence is taken.
constexpr int kBackupNames = 99;

bool WriteBackup(const std::u16string& path, std::string_view bytes) {
    for (int n = 1; n <= kBackupNames; ++n) {
        const std::u16string name =
            n == 1 ? path + u".bak" : path + u"." + FormatDecimal(n) + u".bak";
        if (!PathExists(name))
            return WriteNewFileAtomically(name, bytes);
    }
    return false;
}

// The text ends at its first U+0000; anything but more zeros after it is not in the model.
// Files damaged by a crash often hold runs of zeros, and the player's settings after them
// must not be lost by the next save.
bool DropsTextAfterNul(std::string_view bytes) {
    size_t nul = std::string_view::npos;
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        for (size_t i = 2; i + 1 < bytes.size() && nul == std::string_view::npos; i += 2)
            if (bytes[i] == '\0' && bytes[i + 1] == '\0')
                nul = i;
    } else {
        nul = bytes.find('\0');
    }
    return nul != std::string_view::npos &&
           bytes.find_first_not_of('\0', nul) != std::string_view::npos;
}

// True when the bytes were taken whole into sections.
bool ReadModel(std::string_view bytes, ConfigSectionMap& sections) {
    return ReadConfigBytes(bytes, sections) && !DropsTextAfterNul(bytes);
}

} // namespace

ConfigFile::ConfigFile(std::u16string name, std::u16string path)
    : m_name(std::move(name)), m_path(std::move(path)) {
    std::string bytes;
    if (!ReadFileBytes(m_path, bytes))
        m_unreadable = PathExists(m_path);
    else if (!ReadModel(bytes, m_sections))
        m_originalBytes = std::move(bytes);
}

ConfigFile::ConfigFile(std::u16string name, std::u16string path, std::string_view bytes,
                       bool exists)
    : m_name(std::move(name)), m_path(std::move(path)) {
    if (!ReadModel(bytes, m_sections) && exists)
        m_originalBytes.assign(bytes);
}

std::unique_ptr<ConfigFile> ConfigFile::FromBytes(std::u16string name, std::u16string path,
                                                  std::string_view bytes) {
    return std::unique_ptr<ConfigFile>(
        new ConfigFile(std::move(name), std::move(path), bytes, true));
}

ConfigSection* ConfigFile::FindSection(const std::u16string& name, bool create) {
    if (name.empty())
        return nullptr;
    auto it = m_sections.find(name);
    if (it != m_sections.end())
        return &it->second;
    if (!create)
        return nullptr;
    return &m_sections.emplace(name, ConfigSection{}).first->second;
}

bool ConfigFile::Write() {
    if (m_path.empty())
        return false; // a model built in memory only
    const std::string bytes = FormatConfigBytes(m_sections);
    // A file that was there but could not be read (another program held it) is not in the
    // model at all: it is kept as a backup like a file read in part, and left alone while it
    // still cannot be read.
    if (m_unreadable && !ReadFileBytes(m_path, m_originalBytes))
        return false;
    // The model lacks whatever followed the point where reading stopped; keep the file as it
    // was before it is replaced, once.
    if (!m_originalBytes.empty() && !WriteBackup(m_path, m_originalBytes))
        return false;
    if (!ReplaceFileAtomically(m_path, bytes))
        return false;
    m_originalBytes.clear();
    m_originalBytes.shrink_to_fit();
    m_unreadable = false;
    return true;
}
