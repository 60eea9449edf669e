// Drives Configurator.exe for the headless demo: starts it, waits until its main window is
// shown and answers, then runs the steps given on the command line and waits for it to end.
//   DemoDriver.exe EXE STEP...
//   STEP  shot:PATH   write the active window's rectangle (WxH+X+Y) to PATH.ready, then wait
//                     for PATH.go (the script takes a screenshot of that rectangle)
//         click:ID    click button ID of the active window (the input editor while it is
//                     open, else the main window) as a user does
// Prints the program's exit status; exits 1 when the window never shows or the program hangs.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

// The program's dialog that takes input: the main window, or the modal window over it.
BOOL CALLBACK FindActiveDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (owner == search->processId && IsWindowVisible(window) && IsWindowEnabled(window) &&
        std::wstring(className) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND ActiveDialog(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(FindActiveDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForMainWindow(DWORD processId, HANDLE process) {
    for (int i = 0; i < 600; ++i) {
        const HWND found = ActiveDialog(processId);
        DWORD_PTR count = 0;
        // The resolution list answering means the initialisation is over.
        if (found && SendMessageTimeoutW(GetDlgItem(found, 1012), CB_GETCOUNT, 0, 0,
                                         SMTO_ABORTIFHUNG, 1000, &count))
            return found;
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

bool WaitForFile(const std::wstring& path) {
    for (int i = 0; i < 1200; ++i) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(25);
    }
    return false;
}

void WriteRectangle(const std::wstring& path, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%ldx%ld+%ld+%ld", rect.right - rect.left,
                                     rect.bottom - rect.top, rect.left, rect.top);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE) {
        WriteFile(file, text, static_cast<DWORD>(length), &written, nullptr);
        CloseHandle(file);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: DemoDriver EXE STEP...\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    HWND window = WaitForMainWindow(process.dwProcessId, process.hProcess);
    if (!window) {
        std::fprintf(stderr, "the main window did not show\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const std::wstring step = argv[i];
        const HWND active = ActiveDialog(process.dwProcessId);
        if (step.rfind(L"shot:", 0) == 0) {
            Sleep(400); // let the window paint
            WriteRectangle(step.substr(5) + L".ready", active ? active : window);
            WaitForFile(step.substr(5) + L".go");
        } else if (step.rfind(L"click:", 0) == 0) {
            PostMessageW(GetDlgItem(active ? active : window, _wtoi(step.c_str() + 6)), BM_CLICK, 0,
                         0);
            Sleep(300);
        }
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program did not end\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    std::printf("Configurator ended with status %lu\n", status);
    return 0;
}
