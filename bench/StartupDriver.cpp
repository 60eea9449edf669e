// Times a dialog program from the outside, as a player sees it: from CreateProcess until its
// dialog is shown and answers messages, then from pressing OK until the process has ended.
// Programs are run alternately (A B A B ...) after warm-up rounds; one line per sample:
//   <measure> <label> <value>     measure: startup_ms, ok_ms, peak_ws_bytes
// Usage: StartupDriver <warm-up rounds> <rounds> <label>=<exe>[ --argument...] ...

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kResolutionComboId = 1012;
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 30000;

struct Program {
    std::wstring label;
    std::wstring path;
    std::wstring arguments; // appended to the command line
};

struct Sample {
    double startupMs = 0;
    double okMs = 0;
    SIZE_T peakWorkingSet = 0;
};

class Clock {
public:
    Clock() { QueryPerformanceFrequency(&m_frequency); }
    double NowMs() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart) /
               static_cast<double>(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency{};
};

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (pid == search->pid && IsWindowVisible(window) && std::wstring(className) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleDialogOf(DWORD pid) {
    Search search{pid, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The dialog's thread answers a sent message only once it runs its message loop, so an
// answer means the dialog is up and idle.
bool Answers(HWND dialog) {
    const HWND combo = GetDlgItem(dialog, kResolutionComboId);
    DWORD_PTR count = 0;
    return combo && SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, 1000, &count);
}

// Closes process and thread handles when a run ends, whichever way.
struct ProcessHandles {
    PROCESS_INFORMATION info{};
    ~ProcessHandles() {
        if (info.hProcess) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hProcess);
        }
        if (info.hThread)
            CloseHandle(info.hThread);
    }
};

bool RunOnce(const Clock& clock, const Program& program, Sample& sample) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program.path + L"\"" + program.arguments;
    ProcessHandles process;
    const double start = clock.NowMs();
    if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process.info)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.path.c_str(),
                     GetLastError());
        return false;
    }
    // Waiting in the server first keeps the polling below short: every poll is a round trip
    // to the one wineserver that the measured program needs as well.
    WaitForInputIdle(process.info.hProcess, kStartTimeoutMs);
    HWND dialog = VisibleDialogOf(process.info.dwProcessId);
    while (!dialog || !Answers(dialog)) {
        if (clock.NowMs() - start > kStartTimeoutMs ||
            WaitForSingleObject(process.info.hProcess, 0) != WAIT_TIMEOUT) {
            std::fprintf(stderr, "%ls: no dialog\n", program.label.c_str());
            return false;
        }
        Sleep(1);
        dialog = VisibleDialogOf(process.info.dwProcessId);
    }
    sample.startupMs = clock.NowMs() - start;

    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process.info.hProcess, &counters, sizeof counters))
        sample.peakWorkingSet = counters.PeakWorkingSetSize;

    const double okPressed = clock.NowMs();
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    if (WaitForSingleObject(process.info.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%ls: still running after OK\n", program.label.c_str());
        return false;
    }
    sample.okMs = clock.NowMs() - okPressed;
    return true;
}

void Print(const Program& program, const Sample& sample) {
    std::printf("startup_ms %ls %.3f\n", program.label.c_str(), sample.startupMs);
    std::printf("ok_ms %ls %.3f\n", program.label.c_str(), sample.okMs);
    std::printf("peak_ws_bytes %ls %zu\n", program.label.c_str(),
                static_cast<size_t>(sample.peakWorkingSet));
    std::fflush(stdout);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: StartupDriver WARMUP ROUNDS LABEL=EXE...\n");
        return 2;
    }
    const int warmUp = _wtoi(argv[1]);
    const int rounds = _wtoi(argv[2]);
    std::vector<Program> programs;
    for (int i = 3; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const size_t equals = argument.find(L'=');
        if (equals == std::wstring::npos)
            return 2;
        const size_t options = argument.find(L" --", equals);
        programs.push_back({argument.substr(0, equals),
                            argument.substr(equals + 1, options - equals - 1),
                            options == std::wstring::npos ? L"" : argument.substr(options)});
    }
    const Clock clock;
    for (int round = 0; round < warmUp + rounds; ++round) {
        for (const Program& program : programs) {
            Sample sample;
            if (!RunOnce(clock, program, sample))
                return 1;
            if (round >= warmUp)
                Print(program, sample);
        }
    }
    return 0;
}
