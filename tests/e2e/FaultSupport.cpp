#include "FaultSupport.h"

#include "DialogDriver.h"
#include "ExpectedIni.h"
#include "Files.h"
#include "SaveExpectations.h"
#include "WideText.h"

#include "config/ConfigFile.h"

namespace {

constexpr DWORD kShellTimeoutMs = 10000;

IniModel ToIniModel(const ConfigSectionMap& sections) {
    IniModel model;
    for (const auto& [name, section] : sections) {
        IniSection& target = model[Utf16ToUtf8(name)];
        for (const auto& [key, values] : section)
            for (const auto& value : values)
                target[Utf16ToUtf8(key)].push_back(Utf16ToUtf8(value));
    }
    return model;
}

bool HasSameValues(const IniModel& model, const std::string& section, const std::string& key,
                   const std::vector<std::string>& values) {
    const auto found = model.find(section);
    if (found == model.end())
        return false;
    const auto entry = found->second.find(key);
    return entry != found->second.end() && entry->second == values;
}

// Runs a script in the Unix shell beside Wine and waits for it; its exit status, or nothing
// when no shell could be started (not under Wine) or it did not finish in time. Wine gives
// no handle for a Unix process, so the script leaves its status in a file.
std::optional<int> RunUnixShell(const std::string& script, const std::string& statusFile) {
    const std::wstring statusPath = UnixToWinePath(statusFile);
    DeleteFileW(statusPath.c_str());
    std::wstring command =
        L"/bin/sh -c \"" + Utf8ToWide(script) + L"; echo $? >" + Utf8ToWide(statusFile) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return std::nullopt;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    const auto status = PollFor(
        [&]() -> std::optional<std::string> {
            auto bytes = ReadFileBytes(statusPath);
            if (bytes && !bytes->empty() && bytes->back() == '\n')
                return bytes;
            return std::nullopt;
        },
        kShellTimeoutMs);
    DeleteFileW(statusPath.c_str());
    if (!status)
        return std::nullopt;
    return std::atoi(status->c_str());
}

} // namespace

bool CreateLongFolders(const std::wstring& path) {
    // From the first separator after the drive on, each prefix is one more folder.
    for (size_t end = path.find(L'\\', 3);; end = path.find(L'\\', end + 1)) {
        const std::wstring folder = L"\\\\?\\" + path.substr(0, end);
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (end == std::wstring::npos)
            return true;
    }
}

bool TakenWhole(std::string_view bytes) {
    return ConfigFile::FromBytes(u"User", u"", bytes)->WasReadWhole();
}

std::string ExpectedAfterOk(std::string_view original, const ProfileFiles& profiles) {
    ConfigSectionMap sections = ConfigFile::FromBytes(u"User", u"", original)->Sections();
    const IniModel before = ToIniModel(sections);
    const IniModel after = ExpectedUserFile(before, ChoicesAtStart(before, profiles), profiles);
    for (const auto& [name, section] : after) {
        for (const auto& [key, values] : section) {
            if (values.empty() || HasSameValues(before, name, key, values))
                continue;
            ConfigSection& target = sections[Utf8ToUtf16(name)];
            target.SetValue(Utf8ToUtf16(key), Utf8ToUtf16(values.front()), false);
            for (size_t i = 1; i < values.size(); ++i)
                target.SetValue(Utf8ToUtf16(key), Utf8ToUtf16(values[i]), true);
        }
    }
    return EncodeConfigBytes(FormatConfigText(sections));
}

TinyDisk::TinyDisk(size_t bytes)
    : m_unixPath("/tmp/kestrand-e2e-disk-" + std::to_string(GetCurrentProcessId())) {
    const std::string& d = m_unixPath;
    const auto status = RunUnixShell("umount " + d + " 2>/dev/null; mkdir -p " + d +
                                         " && mount -t tmpfs -o size=" + std::to_string(bytes) +
                                         " tmpfs " + d + " 2>" + d + ".err",
                                     d + ".status");
    if (!status) {
        m_failure = "no Unix shell to mount with (this needs Wine)";
        return;
    }
    m_mounted = *status == 0;
    if (!m_mounted)
        m_failure = "mount failed: " + ReadFileBytes(UnixToWinePath(d + ".err")).value_or("?");
    DeleteFileW(UnixToWinePath(d + ".err").c_str());
}

TinyDisk::~TinyDisk() {
    if (m_mounted)
        RunUnixShell("umount -l " + m_unixPath + " && rmdir " + m_unixPath, m_unixPath + ".status");
}

std::wstring TinyDisk::Root() const {
    return UnixToWinePath(m_unixPath);
}
