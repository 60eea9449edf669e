#include "Fixture.h"

#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kDocuments[] = L"C:\\kestrand-e2e-documents";
constexpr wchar_t kProgramDefaults[] = L"Software\\Wine\\AppDefaults\\Configurator.exe";
// Generous: the first start of a Wine process in a cold prefix takes a few seconds.
constexpr DWORD kStartTimeoutMs = 30000;

// The long form, so that every path works whatever its length.
std::wstring Long(const std::wstring& path) {
    return path.starts_with(L"\\\\") ? path : L"\\\\?\\" + path;
}

std::vector<WIN32_FIND_DATAW> ListFolder(const std::wstring& folder) {
    std::vector<WIN32_FIND_DATAW> entries;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(Long(folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..")
            entries.push_back(data);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

// The 32-bit view of the machine's software key is its Wow6432Node, as the program's
// KEY_WOW64_32KEY sees it.
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
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    std::ifstream file(fs::path(Long(path)), std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
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
    for (const auto& entry : ListFolder(path))
        RemoveTree(path + L"\\" + entry.cFileName);
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

bool DeleteGameKey(Hive hive) {
    RegDeleteTreeW(Root(hive), KeyPath(hive));
    RegDeleteKeyW(Root(hive), KeyPath(hive));
    return !GameKeyValues(hive);
}

std::optional<RegistryValues> GameKeyValues(Hive hive) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(Root(hive), KeyPath(hive), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    RegistryValues values;
    wchar_t name[256];
    DWORD nameLength = 256, type = 0, size = 0;
    for (DWORD i = 0;
         RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
         ++i, nameLength = 256) {
        RegistryValue& value = values[name];
        value.type = type;
        value.bytes.resize(size);
        RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.bytes.data()),
                         &size);
    }
    RegCloseKey(key);
    return values;
}

bool ImportRegistryFile(const std::wstring& path) {
    std::wstring commandLine = L"regedit.exe /s \"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    DWORD status = 1;
    WaitForSingleObject(info.hProcess, kWaitMs);
    GetExitCodeProcess(info.hProcess, &status);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return status == 0;
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

std::string StartupOutcome::Describe() const {
    std::string text = dialog ? "main dialog shown" : "no main dialog";
    text += exitStatus ? ", exit status " + std::to_string(*exitStatus) : ", still running";
    for (const auto& box : boxes)
        text += ", box \"" + Utf8(box.caption) + "\": \"" + Utf8(box.text) + "\"";
    return text;
}

void ConfiguratorTest::SetUp() {
    for (const Hive hive : {Hive::Player, Hive::Machine32, Hive::Machine64})
        ASSERT_TRUE(DeleteGameKey(hive));
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

bool ConfiguratorTest::SetDpi(DWORD dpi) {
    return RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD,
                           &dpi, sizeof dpi) == ERROR_SUCCESS;
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
    const std::wstring exe = UnixToWinePath(CONFIGURATOR_EXE);
    std::wstring commandLine = L"\"" + exe + L"\"";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE errors =
        CreateFileW(ErrorsPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = errors;
    PROCESS_INFORMATION info{};
    // Wine now and then refuses a start with ERROR_INTERNAL_ERROR while the previous program's
    // process is still being torn down; a moment later it starts.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
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
    m_pid = info.dwProcessId;

    StartupOutcome outcome;
    std::vector<HWND> answered;
    const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
    while (GetTickCount64() < deadline) {
        if ((outcome.exitStatus = WaitForExit(kPollMs)))
            return outcome;
        for (const HWND dialog : DialogsOf(m_pid)) {
            if (!GetWindow(dialog, GW_OWNER) && GetDlgItem(dialog, IDC_TEXT_COMBO)) {
                outcome.dialog = dialog;
                m_main = Window(dialog);
                return outcome;
            }
            if (FindMessageBox(m_pid, nullptr) == dialog && !std::ranges::count(answered, dialog)) {
                outcome.boxes.push_back(ReadMessageBox(dialog));
                PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                answered.push_back(dialog);
            }
        }
    }
    return outcome;
}

bool ConfiguratorTest::Launch() {
    const StartupOutcome outcome = Start();
    const bool clean = outcome.dialog && outcome.boxes.empty();
    EXPECT_TRUE(clean) << "the main dialog did not show cleanly: " << outcome.Describe();
    return clean;
}

std::optional<DWORD> ConfiguratorTest::WaitForExit(DWORD timeoutMs) {
    DWORD status = 0;
    if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(m_process, &status))
        return std::nullopt;
    return status;
}

bool ConfiguratorTest::PressAndWaitForExit(int buttonId) {
    Main().PostClick(buttonId);
    std::optional<DWORD> status;
    HWND box = nullptr;
    PollFor([&] {
        status = WaitForExit(0);
        box = status ? nullptr : FindMessageBox(m_pid, nullptr);
        return status || box;
    });
    if (box) {
        ADD_FAILURE() << "after button " << buttonId << " the program says \""
                      << Utf8(ReadMessageBox(box).text) << "\"";
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        return false;
    }
    EXPECT_EQ(status, 0u) << "after button " << buttonId;
    return status == 0u;
}

void ConfiguratorTest::AnswerSaveWarning(const Window& window) {
    const auto box = window.AnswerBox(IDOK);
    ASSERT_TRUE(box) << "no warning that the settings were not saved";
    EXPECT_EQ(Utf8(box->caption), "Kestrand 2 Setup");
    EXPECT_EQ(Utf8(box->text), "Your settings could not be saved. Check that the file is not "
                               "locked and try again.");
}

void ConfiguratorTest::KillProgram() {
    if (m_process) {
        if (!WaitForExit(0)) {
            TerminateProcess(m_process, 0xDEAD);
            WaitForSingleObject(m_process, 5000);
        }
        CloseHandle(m_process);
    }
    if (m_job)
        CloseHandle(m_job);
    m_process = m_job = nullptr;
    m_pid = 0;
    m_main.reset();
}

void ConfiguratorTest::ExpectGolden(const std::string& name, const std::string& actual) const {
    const std::wstring path = TestFile("golden/" + name);
    const auto golden = ReadFileBytes(path);
    if (golden == actual)
        return;
    if (const char* update = std::getenv("UPDATE_GOLDEN"); update && update == std::string("1")) {
        // A rewrite never passes: the new golden has to be read before it is trusted.
        const char* ci = std::getenv("CI");
        ADD_FAILURE() << (ci && *ci ? "golden files are not rewritten under CI: " + name
                          : WriteFileBytes(path, actual)
                              ? "golden rewritten, review the diff: " + name
                              : "cannot write " + name);
        return;
    }
    ADD_FAILURE() << (golden ? "differs from golden file " : "no golden file ") << name << ":\n"
                  << actual;
}
