#pragma once
// Follows a starting program until its main dialog shows or the process ends.

#include "ConfiguratorProcess.h"
#include "TopLevelWindows.h"

#include <optional>
#include <string>
#include <vector>

struct StartupOutcome {
    HWND dialog = nullptr;             // the visible main dialog, when it appeared
    std::optional<DWORD> exitStatus;   // when the process ended
    std::vector<MessageBoxView> boxes; // message boxes seen (and answered with OK) on the way
    std::string Describe() const;
};

// Every message box that shows on the way is recorded and answered with its OK button, so a
// start-up failure runs to its exit status. Stops after timeoutMs.
StartupOutcome WatchStartup(const ConfiguratorProcess& process, DWORD timeoutMs);
