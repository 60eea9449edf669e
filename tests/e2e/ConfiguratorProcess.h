#pragma once
// The real Configurator.exe as a child process. Every wait is bounded; a process still running
// when the object goes away is terminated, and the child sits in a job that ends it also when
// the driver itself is killed (a test run past its time limit), so no test inherits a stray
// dialog from an earlier one.

#include <windows.h>

#include <optional>
#include <string>

class ConfiguratorProcess {
public:
    ConfiguratorProcess() = default;
    ~ConfiguratorProcess() { Terminate(); }
    ConfiguratorProcess(const ConfiguratorProcess&) = delete;
    ConfiguratorProcess& operator=(const ConfiguratorProcess&) = delete;

    // Starts the program at exePath; false when it cannot be started.
    bool Start(const std::wstring& exePath);

    DWORD Pid() const { return m_pid; }
    bool IsRunning() const;

    // The exit status once the process has ended within timeoutMs; nullopt otherwise.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;

    // Ends a process that is still running and waits for it to be gone.
    void Terminate();

private:
    HANDLE m_job = nullptr;
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};
