#include "StartupWatch.h"

#include "WideText.h"

#include <algorithm>

std::string StartupOutcome::Describe() const {
    std::string text = dialog ? "main dialog shown" : "no main dialog";
    text += exitStatus ? ", exit status " + std::to_string(*exitStatus) : ", still running";
    for (const auto& box : boxes)
        text += ", box \"" + WideToUtf8(box.caption) + "\": \"" + WideToUtf8(box.text) + "\"";
    return text;
}

StartupOutcome WatchStartup(const ConfiguratorProcess& process, DWORD timeoutMs) {
    StartupOutcome outcome;
    std::vector<HWND> answered;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline) {
        outcome.exitStatus = process.WaitForExit(kPollMs);
        if (outcome.exitStatus)
            return outcome;
        if ((outcome.dialog = FindMainDialog(process.Pid())))
            return outcome;
        for (const HWND box : VisibleDialogsOf(process.Pid())) {
            if (!IsMessageBox(box) || std::ranges::count(answered, box))
                continue;
            outcome.boxes.push_back(ReadMessageBox(box));
            PressMessageBoxButton(box, IDOK);
            answered.push_back(box);
        }
    }
    return outcome;
}
