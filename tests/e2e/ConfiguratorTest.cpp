#include "ConfiguratorTest.h"

#include "Files.h"
#include "WideText.h"

namespace {

// Generous: the first start of a Wine process in a cold prefix takes a few seconds.
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 10000;

} // namespace

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

StartupOutcome ConfiguratorTest::Start() {
    if (!m_process.Start(UnixToWinePath(CONFIGURATOR_EXE))) {
        ADD_FAILURE() << "cannot start " << CONFIGURATOR_EXE << ", error " << GetLastError();
        return {};
    }
    return WatchStartup(m_process, kStartTimeoutMs);
}

std::optional<DialogDriver> ConfiguratorTest::Launch() {
    const StartupOutcome outcome = Start();
    if (!outcome.dialog || !outcome.boxes.empty()) {
        ADD_FAILURE() << "the main dialog did not show cleanly: " << outcome.Describe();
        return std::nullopt;
    }
    return DialogDriver(outcome.dialog);
}

std::optional<DWORD> ConfiguratorTest::WaitForExit() {
    return m_process.WaitForExit(kExitTimeoutMs);
}

bool ConfiguratorTest::PressAndWaitForExit(DialogDriver& dialog, int buttonId) {
    if (!dialog.Click(buttonId)) {
        ADD_FAILURE() << "button " << buttonId << " did not answer";
        return false;
    }
    const auto status = WaitForExit();
    if (status != kNormalExitStatus) {
        ADD_FAILURE() << "after button " << buttonId << " the program "
                      << (status ? "ended with " + std::to_string(*status) : "is still running");
        return false;
    }
    return true;
}
