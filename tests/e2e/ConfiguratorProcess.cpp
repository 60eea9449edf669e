#include "ConfiguratorProcess.h"

bool ConfiguratorProcess::Start(const std::wstring& exePath) {
    Terminate();
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_pid = info.dwProcessId;
    return true;
}

bool ConfiguratorProcess::IsRunning() const {
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ConfiguratorProcess::WaitForExit(DWORD timeoutMs) const {
    if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD status = 0;
    if (!GetExitCodeProcess(m_process, &status))
        return std::nullopt;
    return status;
}

void ConfiguratorProcess::Terminate() {
    if (!m_process)
        return;
    if (IsRunning()) {
        TerminateProcess(m_process, 0xDEAD);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
    m_process = nullptr;
    m_pid = 0;
}
