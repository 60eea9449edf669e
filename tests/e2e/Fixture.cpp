#include "Fixture.h"

#include <shlobj.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kDocuments[] = L"C:\\kestrand-e2e-documents";
constexpr wchar_t kProgramDefaults[] = L"Software\\Wine\\AppDefaults\\Configurator.exe";
constexpr DWORD kStartTimeoutMs = 30000; // a first start in a cold prefix takes seconds

// The long form, so that every path works whatever its length.
std::wstring Long(const std::wstring& path) {
    return path.starts_with(L"\\\\") ? path : L"\\\\?\\" + path;
}

// The 32-bit view of the machine's key is its Wow6432Node, as KEY_WOW64_32KEY sees it.
HKEY Root(Hive hive) {
    return hive == Hive::Player ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}
const wchar_t* KeyPath(Hive hive) {
    return hive == Hive::Machine32 ? L"Software\\Wow6432Node\\Morvenhall\\The Kestrand 2"
                                   : L"Software\\Morvenhall\\The Kestrand 2";
}

} // namespace

std::wstring UnixToWinePath(std::string_view unixPath) {
    std::wstring path = L"Z:" + Wide(unixPath);
    std::ranges::replace(path, L'/', L'\\');
    return path;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    std::ofstream file(fs::path(Long(path)), std::ios::binary);
    return file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush().good();
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    std::ifstream file(fs::path(Long(path)), std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(Long(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolders(const std::wstring& path) {
    // From the first separator after the drive on, each prefix is one more folder.
    for (size_t end = path.find(L'\\', 3);; end = path.find(L'\\', end + 1)) {
        if (!CreateDirectoryW(Long(path.substr(0, end)).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (end == std::wstring::npos)
            return true;
    }
}

bool RemoveTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(Long(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DeleteFileW(Long(path).c_str()) != FALSE;
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW(Long(path + L"\\*").c_str(), &entry);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &entry))
        if (const std::wstring_view name = entry.cFileName; name != L"." && name != L"..")
            RemoveTree(path + L"\\" + entry.cFileName);
    FindClose(find);
    return RemoveDirectoryW(Long(path).c_str()) != FALSE;
}

std::map<std::wstring, std::string> SnapshotFolder(const std::wstring& folder) {
    std::map<std::wstring, std::string> snapshot;
    std::error_code missing;
    for (const auto& entry : fs::recursive_directory_iterator(folder, missing))
        snapshot[entry.path().lexically_relative(folder).wstring()] =
            entry.is_directory() ? "<folder>"
                                 : ReadFileBytes(entry.path().wstring()).value_or("<locked>");
    return snapshot;
}

RegistryValue StringValue(std::wstring_view text) {
    const auto* bytes = reinterpret_cast<const char*>(text.data());
    return {REG_SZ, std::string(bytes, text.size() * sizeof(wchar_t)) + std::string(2, '\0')};
}

bool SetGameString(Hive hive, const wchar_t* name, const std::wstring& text) {
    return RegSetKeyValueW(Root(hive), KeyPath(hive), name, REG_SZ, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

std::optional<RegistryValues> GameKeyValues(Hive hive) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(Root(hive), KeyPath(hive), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    RegistryValues values;
    wchar_t name[256];
    DWORD nameLength = 256, size = 0;
    for (DWORD i = 0; RegEnumValueW(key, i, name, &nameLength, nullptr, nullptr, nullptr, &size) ==
                      ERROR_SUCCESS;
         ++i, nameLength = 256) {
        RegistryValue& value = values[name];
        value.bytes.resize(size);
        RegQueryValueExW(key, name, nullptr, &value.type,
                         reinterpret_cast<BYTE*>(value.bytes.data()), &size);
    }
    RegCloseKey(key);
    return values;
}

bool SetDocumentsFolder(const std::wstring& folder) {
    const DWORD size = static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t));
    const wchar_t* const keys[] = {
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
    RegSetKeyValueW(HKEY_CURRENT_USER, keys[0], L"Personal", REG_EXPAND_SZ, folder.c_str(), size);
    RegSetKeyValueW(HKEY_CURRENT_USER, keys[1], L"Personal", REG_SZ, folder.c_str(), size);
    wchar_t shell[MAX_PATH] = {};
    return SUCCEEDED(
               SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, shell)) &&
           shell == folder;
}

void ConfiguratorTest::SetUp() {
    for (const Hive hive : {Hive::Player, Hive::Machine32, Hive::Machine64}) {
        RegDeleteTreeW(Root(hive), KeyPath(hive));
        ASSERT_FALSE(GameKeyValues(hive));
    }
    ASSERT_TRUE(RemoveTree(m_paths.root) && MoveDocuments(kDocuments));
    ASSERT_TRUE(CreateFolders(m_paths.install));
    std::error_code error;
    fs::copy(UnixToWinePath(SAMPLE_DIR), m_paths.install, fs::copy_options::recursive, error);
    ASSERT_FALSE(error) << error.message();
    ASSERT_TRUE(SetGameString(Hive::Machine32, L"Language", L"EN") &&
                SetGameString(Hive::Machine32, L"InstallFolder", m_paths.install));
}

void ConfiguratorTest::TearDown() {
    KillProgram();
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramDefaults);
    SetDpi(96);
}

bool ConfiguratorTest::DisableLibrary(const wchar_t* dll) {
    const std::wstring key = std::wstring(kProgramDefaults) + L"\\DllOverrides";
    return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), dll, REG_SZ, L"", sizeof(wchar_t)) ==
           ERROR_SUCCESS;
}

bool ConfiguratorTest::SetLanguageFiles(const std::vector<std::wstring>& text,
                                        const std::vector<std::wstring>& voice) const {
    bool ok = RemoveTree(m_paths.Cooked()) && CreateFolders(m_paths.Cooked());
    for (const auto& name : text)
        ok = WriteFileBytes(m_paths.Cooked() + L"\\" + name + L".qzstrings", "") && ok;
    for (const auto& name : voice)
        ok = WriteFileBytes(m_paths.Cooked() + L"\\" + name + L".qzspeech", "") && ok;
    return ok;
}

StartupOutcome ConfiguratorTest::Start() {
    KillProgram();
    std::wstring commandLine = L"\"" + UnixToWinePath(CONFIGURATOR_EXE) + L"\"";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE errors =
        CreateFileW(ErrorsPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = errors;
    PROCESS_INFORMATION info{};
    // Wine now and then refuses a start while the last process is torn down; a moment later not.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                 CREATE_SUSPENDED, nullptr, nullptr, &startup, &info);
        if (!started && GetLastError() == ERROR_INTERNAL_ERROR)
            Sleep(200);
    }
    if (errors != INVALID_HANDLE_VALUE)
        CloseHandle(errors);
    if (!started) {
        ADD_FAILURE() << "cannot start " << CONFIGURATOR_EXE << ", error " << GetLastError();
        return {};
    }
    m_job = CreateJobObjectW(nullptr, nullptr); // ends the program with the driver
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(m_job, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    m_process = info.hProcess;

    StartupOutcome outcome;
    std::vector<HWND> answered;
    const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
    while (GetTickCount64() < deadline && !(outcome.exitStatus = WaitForExit(kPollMs))) {
        for (const HWND dialog : DialogsOf(info.dwProcessId)) {
            if (!GetWindow(dialog, GW_OWNER) && GetDlgItem(dialog, IDC_TEXT_COMBO)) {
                outcome.dialog = dialog;
                m_main = Window(dialog);
                return outcome;
            }
            if (FindMessageBox(info.dwProcessId, nullptr) == dialog &&
                !std::ranges::count(answered, dialog)) {
                outcome.boxes.push_back(ReadMessageBox(dialog));
                PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                answered.push_back(dialog);
            }
        }
    }
    return outcome;
}

bool ConfiguratorTest::PressAndWaitForExit(int buttonId) {
    Main().PostClick(buttonId);
    HWND box = nullptr;
    PollFor(
        [&] { return WaitForExit(0) || (box = FindMessageBox(GetProcessId(m_process), nullptr)); });
    if (box) {
        ADD_FAILURE() << "after button " << buttonId << " the program says " << ReadMessageBox(box);
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        return false;
    }
    const auto status = WaitForExit(0);
    EXPECT_EQ(status, 0u) << "after button " << buttonId;
    return status == 0u;
}

void ConfiguratorTest::KillProgram() {
    if (m_process && !WaitForExit(0)) {
        TerminateProcess(m_process, 0xDEAD);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process); // of null, a harmless failure
    CloseHandle(m_job);
    m_process = m_job = nullptr;
    m_main.reset();
}

void ConfiguratorTest::ExpectGolden(const std::string& name, const std::string& actual) const {
    const std::wstring path = TestFile("golden/" + name);
    const auto golden = ReadFileBytes(path);
    const char *update = std::getenv("UPDATE_GOLDEN"), *ci = std::getenv("CI");
    if (golden == actual)
        return;
    if (update && update == std::string("1")) // a rewrite never passes: read it before trusting it
        ADD_FAILURE() << (ci && *ci ? "golden files are not rewritten under CI: " + name
                          : WriteFileBytes(path, actual)
                              ? "golden rewritten, review the diff: " + name
                              : "cannot write " + name);
    else
        ADD_FAILURE() << (golden ? "differs from golden file " : "no golden file ") << name << ":\n"
                      << actual;
}
