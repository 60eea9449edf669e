#pragma once
// The fixture of every end-to-end test: a fresh installation and registry before each test,
// and the real Configurator.exe as a child process. Every wait is bounded; the child sits in a
// job that ends it also when the driver itself is killed (a test run past its time limit), so
// no test inherits a stray dialog from an earlier one.

#include "DialogDriver.h"
#include "ExpectedIni.h"
#include "Installation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A program that ran to its end normally, after OK, Cancel or Close.
inline constexpr DWORD kNormalExitStatus = 0;

inline constexpr char kFatalMessage[] =
    "Could not find valid The Kestrand 2 installation, please reinstall the game.";

// Names each instance of a table-driven test after its case, so a failure names the case.
inline constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

// How a start ended: the main dialog showed, or the process ended first.
struct StartupOutcome {
    HWND dialog = nullptr;             // the visible main dialog, when it appeared
    std::optional<DWORD> exitStatus;   // when the process ended
    std::vector<MessageBoxView> boxes; // message boxes seen (and answered with OK) on the way
    std::string Describe() const;
};

class ConfiguratorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { KillProgram(); }

    const Installation& Paths() const { return m_installation; }

    void WriteUserIni(std::string_view bytes);
    std::optional<std::string> UserIniBytes() const;
    // User.ini must hold exactly expected; a mismatch shows both texts.
    void ExpectUserIni(const std::string& expected) const;
    // The text must equal the golden file tests/e2e/golden/name. With the environment variable
    // UPDATE_GOLDEN set to 1 the file is written instead, for review.
    void ExpectGolden(const std::string& name, const std::string& actual) const;
    // What OK writes over a user file that held before when the window's choices are left as
    // they started.
    std::string ExpectedOkBytes(const IniModel& before) const;

    // Starts the program and follows it until its main dialog shows or it ends; every message
    // box on the way is recorded and answered with OK.
    StartupOutcome Start();

    // Starts the program and returns its main dialog; records a failure and gives nullopt
    // when the dialog does not show.
    std::optional<DialogDriver> Launch();

    // The exit status once the program has ended; nullopt when it is still running.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 10000);

    // Presses the button and waits for the program to end normally; a message box instead
    // (the save failed) is recorded as a failure and answered. False unless it ended normally.
    bool PressAndWaitForExit(DialogDriver& dialog, int buttonId);

    // Waits for the failed-save warning over the dialog, checks its text and answers it;
    // records a failure when it does not come.
    void AnswerSaveWarning(const DialogDriver& dialog);

    // What the program has written to its standard error stream so far.
    std::string StandardError() const;

    // Ends the program at once, as a crash or the task manager would.
    void KillProgram();

private:
    std::wstring ErrorsPath() const { return m_installation.root + L"\\stderr.txt"; }

    Installation m_installation;
    HANDLE m_job = nullptr;
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};
