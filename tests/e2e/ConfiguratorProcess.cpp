#include "ConfiguratorProcess.h"

namespace {

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

bool ConfiguratorProcess::Start(const std::wstring& exePath) {
    Terminate();
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, nullptr, &startup, &info))
        return false;
    m_job = CreateKillOnCloseJob();
    if (m_job)
        AssignProcessToJobObject(m_job, info.hProcess);
    ResumeThread(info.hThread);
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
    if (m_process) {
        if (IsRunning()) {
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
