#include "FaultSupport.h"

#include "ExpectedIni.h"
#include "Files.h"
#include "SaveExpectations.h"
#include "TopLevelWindows.h"
#include "WideText.h"

#include "config/ConfigFile.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

constexpr DWORD kBoxTimeoutMs = 10000;
constexpr DWORD kShellTimeoutMs = 10000;

constexpr wchar_t kUserShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr wchar_t kPersonal[] = L"Personal";

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

std::optional<std::pair<DWORD, std::wstring>> ReadShellFolder(const wchar_t* key) {
    HKEY open = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &open) != ERROR_SUCCESS)
        return std::nullopt;
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result =
        RegQueryValueExW(open, kPersonal, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(open);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return std::make_pair(type, std::wstring(buffer));
}

void WriteShellFolder(const wchar_t* key, std::optional<std::wstring> value, DWORD type) {
    HKEY open = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &open,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (value)
        RegSetValueExW(open, kPersonal, 0, type, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(open, kPersonal);
    RegCloseKey(open);
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

bool AnswerSaveWarning(DialogDriver& dialog, const std::wstring& langFolder) {
    const HWND box =
        PollFor([&] { return FindMessageBox(dialog.Pid(), dialog.Handle()); }, kBoxTimeoutMs);
    if (!box) {
        ADD_FAILURE() << "no warning that the settings were not saved";
        return false;
    }
    {
        const LanguageTexts texts(langFolder);
        EXPECT_EQ(ReadMessageBox(box).text, texts.Text(L"EN", "SaveError"));
    }
    if (!PressMessageBoxButton(box, IDOK) ||
        !PollFor([&] { return !IsWindow(box); }, kBoxTimeoutMs)) {
        ADD_FAILURE() << "the warning did not close";
        return false;
    }
    return true;
}

DocumentsOverride::DocumentsOverride(const std::wstring& folder)
    : m_saved{{kUserShellFolders, std::nullopt}, {kShellFolders, std::nullopt}}, m_folder(folder) {
    for (Saved& saved : m_saved) {
        if (const auto value = ReadShellFolder(saved.key)) {
            saved.type = value->first;
            saved.value = value->second;
        }
        WriteShellFolder(saved.key, folder, REG_SZ);
    }
}

DocumentsOverride::~DocumentsOverride() {
    for (const Saved& saved : m_saved)
        WriteShellFolder(saved.key, saved.value, saved.type);
}

bool DocumentsOverride::Active() const {
    wchar_t path[MAX_PATH] = {};
    return SUCCEEDED(
               SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)) &&
           m_folder == path;
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
