#pragma once
// The fixture of every end-to-end test: a fresh installation and registry before each test,
// and the program under test, which is terminated if a test leaves it running.

#include "ConfiguratorProcess.h"
#include "DialogDriver.h"
#include "Installation.h"
#include "StartupWatch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

// A program that ran to its end normally, after OK, Cancel or Close.
inline constexpr DWORD kNormalExitStatus = 0;

inline constexpr char kFatalMessage[] =
    "Could not find valid The Kestrand 2 installation, please reinstall the game.";

class ConfiguratorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { m_process.Terminate(); }

    const Installation& Paths() const { return m_installation; }

    void WriteUserIni(std::string_view bytes);
    std::optional<std::string> UserIniBytes() const;

    // Starts the program and follows it until its main dialog shows or it ends.
    StartupOutcome Start();

    // Starts the program and returns its main dialog; records a failure and gives nullopt
    // when the dialog does not show.
    std::optional<DialogDriver> Launch();

    // The exit status once the program has ended; nullopt when it is still running.
    std::optional<DWORD> WaitForExit();

    // Presses OK (or Cancel) and waits for the program to end normally; false otherwise.
    bool PressAndWaitForExit(DialogDriver& dialog, int buttonId);

private:
    Installation m_installation;
    ConfiguratorProcess m_process;
};
