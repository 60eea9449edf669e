// The floor for start-up, OK and memory: the main dialog's own template shown empty, with the
// program's resources and manifest, and nothing else. OK and Cancel end it.
//
// --rows=N adds N hidden label and drop-down list pairs, each list filled with four entries,
// the way the main dialog creates its rendering rows; --imports loads the DLLs that
// Configurator.exe used to import before the dialog is created.
//
// --save=safe or --save=plain, with --bytes=FILE and --target=FILE (quoted when they hold
// spaces), make OK save what the program saves: the registry values "Language" and "Speech",
// then the bytes of FILE written to the target. "safe" writes them the way the program must,
// through a temporary file beside the target, flushed and moved over it; "plain" writes the
// target directly. The bytes are read and the player's key is opened at start, as the program
// opens it, so OK does only the save.

#include <windows.h>

#include "resource.h"

#include <cwchar>
#include <iterator>

namespace {

constexpr int kRowEntries = 4;
constexpr size_t kPathCapacity = 1024;
// Far more than any User.ini; a bigger file is not the program's save.
constexpr LONGLONG kMaxBytes = 1 << 28;

// The player's key, which the program opens at start and writes on OK.
constexpr wchar_t kUserKey[] = L"Software\\Morvenhall\\The Kestrand 2";
// What the program writes on OK in the benchmark: the sample installation registers the
// language EN, and speech follows the text language.
constexpr wchar_t kLanguage[] = L"EN";
constexpr wchar_t kSpeech[] = L"EN";

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

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close() {
        if (m_handle == INVALID_HANDLE_VALUE)
            return true;
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != FALSE;
    }

private:
    HANDLE m_handle;
};

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY Get() const { return m_key; }
    HKEY* Receive() {
        Close();
        return &m_key;
    }
    void Close() {
        if (m_key)
            RegCloseKey(m_key);
        m_key = nullptr;
    }

private:
    HKEY m_key = nullptr;
};

// A whole file's bytes on the process heap; no C++ library, so that the baseline stays as
// small as the empty dialog it has always been.
class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes() {
        if (m_data)
            HeapFree(GetProcessHeap(), 0, m_data);
    }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    const void* Data() const { return m_data; }
    DWORD Size() const { return m_size; }

    // An empty file fails too: the program never saves one, so it means a missing copy.
    bool Read(const wchar_t* path) {
        FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER size{};
        if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
            size.QuadPart > kMaxBytes)
            return false;
        m_size = static_cast<DWORD>(size.QuadPart);
        m_data = HeapAlloc(GetProcessHeap(), 0, m_size);
        DWORD got = 0;
        return m_data && ReadFile(file.Get(), m_data, m_size, &got, nullptr) && got == m_size;
    }

private:
    void* m_data = nullptr;
    DWORD m_size = 0;
};

enum class SaveKind { None, Plain, Safe };

struct Save {
    SaveKind kind = SaveKind::None;
    wchar_t target[kPathCapacity] = {};
    wchar_t temporary[kPathCapacity] = {};
    FileBytes bytes;
    RegistryKey userKey;
};

struct Options {
    int rows = 0;
    Save save;
};

// Reached from the dialog procedure without SetWindowLongPtrW, a server request that the rows
// baseline never made.
Options* g_options = nullptr;

// The text of an option such as --target="C:\a b\User.ini": up to the closing quote, or up to
// the next space when unquoted.
bool OptionText(const wchar_t* commandLine, const wchar_t* name, wchar_t (&text)[kPathCapacity]) {
    const wchar_t* option = std::wcsstr(commandLine, name);
    if (option == nullptr)
        return false;
    const wchar_t* begin = option + std::wcslen(name);
    const wchar_t end = *begin == L'"' ? L'"' : L' ';
    if (end == L'"')
        ++begin;
    size_t length = 0;
    while (begin[length] != L'\0' && begin[length] != end)
        ++length;
    if (length == 0 || length >= kPathCapacity)
        return false;
    std::wmemcpy(text, begin, length);
    text[length] = L'\0';
    return true;
}

// Everything a save needs except the save itself, done at start; false when it cannot save,
// so that the driver reports a dialog that never came instead of timing a save that failed.
bool PrepareSave(const wchar_t* commandLine, Save& save) {
    const wchar_t* option = std::wcsstr(commandLine, L"--save=");
    if (option == nullptr)
        return true;
    if (std::wcsncmp(option + 7, L"safe", 4) == 0)
        save.kind = SaveKind::Safe;
    else if (std::wcsncmp(option + 7, L"plain", 5) == 0)
        save.kind = SaveKind::Plain;
    else
        return false;

    wchar_t bytesPath[kPathCapacity] = {};
    if (!OptionText(commandLine, L"--bytes=", bytesPath) || !save.bytes.Read(bytesPath) ||
        !OptionText(commandLine, L"--target=", save.target))
        return false;
    constexpr wchar_t kSuffix[] = L".tmp"; // the program's temporary file beside the target
    const size_t length = std::wcslen(save.target);
    if (length + std::size(kSuffix) > kPathCapacity)
        return false;
    std::wmemcpy(save.temporary, save.target, length);
    std::wmemcpy(save.temporary + length, kSuffix, std::size(kSuffix));
    return RegCreateKeyExW(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                           save.userKey.Receive(), nullptr) == ERROR_SUCCESS;
}

bool SetText(HKEY key, const wchar_t* name, const wchar_t* text) {
    const DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) ==
           ERROR_SUCCESS;
}

bool WriteAll(HANDLE file, const FileBytes& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.Data(), bytes.Size(), &written, nullptr) &&
           written == bytes.Size();
}

// What a save must do at least to leave the old file or the new one whole, whenever the
// machine stops.
bool WriteSafely(const Save& save) {
    FileHandle temporary(CreateFileW(save.temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    return temporary.IsOpen() && WriteAll(temporary.Get(), save.bytes) &&
           FlushFileBuffers(temporary.Get()) && temporary.Close() &&
           MoveFileExW(save.temporary, save.target,
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool WritePlainly(const Save& save) {
    FileHandle target(CreateFileW(save.target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return target.IsOpen() && WriteAll(target.Get(), save.bytes) && target.Close();
}

// In the program's order: the registry values, then the file; the key is closed before the
// window goes, as the program closes its own.
bool SaveOnOk(Save& save) {
    if (save.kind == SaveKind::None)
        return true;
    if (!SetText(save.userKey.Get(), L"Language", kLanguage) ||
        !SetText(save.userKey.Get(), L"Speech", kSpeech))
        return false;
    if (!(save.kind == SaveKind::Safe ? WriteSafely(save) : WritePlainly(save)))
        return false;
    save.userKey.Close();
    return true;
}

INT_PTR CALLBACK BaselineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        CreateHiddenRows(dialog, g_options->rows);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    // A failed save keeps the dialog, as the program keeps its window; the driver then
    // reports that OK did not end the process.
    if (LOWORD(wParam) == IDOK && SaveOnOk(g_options->save)) {
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    LoadConfiguratorImports(commandLine);
    Options options;
    options.rows = RowsWanted(commandLine);
    if (!PrepareSave(commandLine, options.save))
        return 1;
    g_options = &options;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CONFIGURATOR), nullptr, BaselineProc, 0);
    return 0;
}
