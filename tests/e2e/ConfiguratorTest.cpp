#include "ConfiguratorTest.h"

#include "Files.h"
#include "GameData.h"
#include "SaveExpectations.h"
#include "WideText.h"

#include <algorithm>

namespace {

// Generous: the first start of a Wine process in a cold prefix takes a few seconds.
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 10000;

HANDLE CreateKillOnCloseJob() {
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job)
        return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

} // namespace

std::string StartupOutcome::Describe() const {
    std::string text = dialog ? "main dialog shown" : "no main dialog";
    text += exitStatus ? ", exit status " + std::to_string(*exitStatus) : ", still running";
    for (const auto& box : boxes)
        text += ", box \"" + WideToUtf8(box.caption) + "\": \"" + WideToUtf8(box.text) + "\"";
    return text;
}

void ConfiguratorTest::SetUp() {
    m_installation = TestInstallation();
    const std::string failure =
        PrepareFreshInstallation(m_installation, UnixToWinePath(SAMPLE_DIR));
    ASSERT_EQ(failure, "");
}

void ConfiguratorTest::WriteUserIni(std::string_view bytes) {
    ASSERT_TRUE(WriteFileBytes(m_installation.UserIni(), bytes));
}

std::optional<std::string> ConfiguratorTest::UserIniBytes() const {
    return ReadFileBytes(m_installation.UserIni());
}

void ConfiguratorTest::ExpectUserIni(const std::string& expected) const {
    const auto written = UserIniBytes();
    ASSERT_TRUE(written) << "no User.ini";
    // Big files would flood the log: their size is enough to start looking.
    if (expected.size() > 100000 || written->size() > 100000) {
        EXPECT_TRUE(*written == expected)
            << "User.ini is not the expected text (" << written->size() << " bytes)";
        return;
    }
    EXPECT_EQ(*written, expected) << "written:\n"
                                  << ShowLineEnds(*written) << "\nexpected:\n"
                                  << ShowLineEnds(expected);
}

void ConfiguratorTest::ExpectGolden(const std::string& name, const std::string& actual) const {
    const std::wstring path = UnixToWinePath(std::string(GOLDEN_DIR) + "/" + name);
    wchar_t update[8] = {};
    if (GetEnvironmentVariableW(L"UPDATE_GOLDEN", update, 8) && std::wstring(update) == L"1") {
        EXPECT_TRUE(WriteFileBytes(path, actual)) << "cannot write " << name;
        return;
    }
    const auto golden = ReadFileBytes(path);
    ASSERT_TRUE(golden) << "no golden file " << name;
    EXPECT_EQ(actual, *golden) << "differs from golden file " << name;
}

std::string ConfiguratorTest::ExpectedOkBytes(const IniModel& before) const {
    const ProfileFiles profiles(m_installation.ProfilesDir());
    return FormatIniBytes(ExpectedUserFile(before, ChoicesAtStart(before, profiles), profiles));
}

StartupOutcome ConfiguratorTest::Start() {
    KillProgram();
    const std::wstring exe = UnixToWinePath(CONFIGURATOR_EXE);
    std::wstring commandLine = L"\"" + exe + L"\"";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE errors =
        CreateFileW(ErrorsPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (errors == INVALID_HANDLE_VALUE)
        ADD_FAILURE() << "cannot create the standard error file, error " << GetLastError();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = errors;
    PROCESS_INFORMATION info{};
    // Wine now and then refuses a start with ERROR_INTERNAL_ERROR while the previous
    // program's process is still being torn down; a moment later it starts.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                 CREATE_SUSPENDED, nullptr, nullptr, &startup, &info);
        if (!started && GetLastError() != ERROR_INTERNAL_ERROR)
            break;
        if (!started)
            Sleep(200);
    }
    if (errors != INVALID_HANDLE_VALUE)
        CloseHandle(errors);
    if (!started) {
        ADD_FAILURE() << "cannot start " << CONFIGURATOR_EXE << ", error " << GetLastError();
        return {};
    }
    m_job = CreateKillOnCloseJob();
    if (m_job)
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
        if ((outcome.dialog = FindMainDialog(m_pid)))
            return outcome;
        for (const HWND box : VisibleDialogsOf(m_pid)) {
            if (!IsMessageBox(box) || std::ranges::count(answered, box))
                continue;
            outcome.boxes.push_back(ReadMessageBox(box));
            PressMessageBoxButton(box, IDOK);
            answered.push_back(box);
        }
    }
    return outcome;
}

std::optional<DialogDriver> ConfiguratorTest::Launch() {
    const StartupOutcome outcome = Start();
    if (!outcome.dialog || !outcome.boxes.empty()) {
        ADD_FAILURE() << "the main dialog did not show cleanly: " << outcome.Describe();
        return std::nullopt;
    }
    return DialogDriver(outcome.dialog);
}

std::optional<DWORD> ConfiguratorTest::WaitForExit(DWORD timeoutMs) {
    DWORD status = 0;
    if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(m_process, &status))
        return std::nullopt;
    return status;
}

bool ConfiguratorTest::PressAndWaitForExit(DialogDriver& dialog, int buttonId) {
    if (!dialog.PostClick(buttonId)) {
        ADD_FAILURE() << "cannot press button " << buttonId;
        return false;
    }
    HWND box = nullptr;
    std::optional<DWORD> status;
    PollFor(
        [&] {
            status = WaitForExit(0);
            box = status ? nullptr : FindMessageBox(m_pid, nullptr);
            return status || box;
        },
        kExitTimeoutMs);
    if (box) {
        ADD_FAILURE() << "after button " << buttonId << " the program says \""
                      << WideToUtf8(ReadMessageBox(box).text) << "\"";
        PressMessageBoxButton(box, IDOK);
        return false;
    }
    if (status != kNormalExitStatus) {
        ADD_FAILURE() << "after button " << buttonId << " the program "
                      << (status ? "ended with " + std::to_string(*status) : "is still running");
        return false;
    }
    return true;
}

void ConfiguratorTest::AnswerSaveWarning(const DialogDriver& dialog) {
    const auto box = dialog.AnswerMessageBox(IDOK, kExitTimeoutMs, true);
    ASSERT_TRUE(box) << "no warning over the window that the settings were not saved";
    const LanguageTexts texts(m_installation.LangDir());
    EXPECT_EQ(box->caption, texts.Text(L"EN", "Configurator"));
    EXPECT_EQ(box->text, texts.Text(L"EN", "SaveError"));
}

std::string ConfiguratorTest::StandardError() const {
    return ReadFileBytes(ErrorsPath()).value_or("");
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
}
