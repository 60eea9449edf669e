// The floor for start-up, OK and memory: the main dialog's own template shown empty, with the
// program's resources and manifest, and nothing else. OK and Cancel end it.
//
// For finding where start-up time goes, the argument --rows=N adds N hidden label and
// drop-down list pairs, each list filled with four entries, the way the main dialog creates
// its rendering rows, and --imports loads the DLLs that Configurator.exe imports before the
// dialog is created. scripts/bench uses neither.

#include <windows.h>

#include "resource.h"

#include <cwchar>

namespace {

constexpr int kRowEntries = 4;

// The imports of Configurator.exe beyond those of this program.
constexpr const wchar_t* kConfiguratorImports[] = {
    L"advapi32.dll", L"comctl32.dll", L"d3d9.dll",    L"dinput8.dll", L"gdi32.dll",
    L"ole32.dll",    L"oleaut32.dll", L"shell32.dll", L"winmm.dll",   L"xinput1_3.dll",
};

void LoadConfiguratorImports(const wchar_t* commandLine) {
    if (std::wcsstr(commandLine, L"--imports") == nullptr)
        return;
    for (const wchar_t* name : kConfiguratorImports)
        LoadLibraryW(name); // kept loaded until the process ends, as imports are
}

int RowsWanted(const wchar_t* commandLine) {
    const wchar_t* option = std::wcsstr(commandLine, L"--rows=");
    return option ? static_cast<int>(std::wcstol(option + 7, nullptr, 10)) : 0;
}

void CreateHiddenRows(HWND dialog, int rows) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    for (int i = 0; i < rows; ++i) {
        const HWND label = CreateWindowExW(0, L"STATIC", L"Row", WS_CHILD, 250, 20 + 24 * i, 150,
                                           20, dialog, nullptr, instance, nullptr);
        const HWND combo =
            CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, 400,
                            20 + 24 * i, 150, 200, dialog, nullptr, instance, nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        for (int entry = 0; entry < kRowEntries; ++entry)
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Entry"));
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
    }
}

INT_PTR CALLBACK BaselineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CreateHiddenRows(dialog, static_cast<int>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    LoadConfiguratorImports(commandLine);
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CONFIGURATOR), nullptr, BaselineProc,
                    RowsWanted(commandLine));
    return 0;
}
