#pragma once
// The fixture of every end-to-end test: before each test a fresh copy of the sample
// installation, registered in the machine key (32-bit view, as the game's installer does, with
// "Language" EN), an empty player's configuration folder and no player's key; the real
// Configurator.exe as a child process in a job that ends it with the driver. What the tests
// expect of files and windows is written out in golden files, tests/e2e/golden/.

#include "Driver.h"

#include <gtest/gtest.h>

#include <string_view>

// Names each instance of a table-driven test after its case.
inline constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

// Files, by Windows path. UnixToWinePath: "/a/b" is "Z:\a\b".
std::wstring UnixToWinePath(std::string_view unixPath);
// A file of the tests' own below tests/e2e: golden/, registry/ or inputs/.
inline std::wstring TestFile(const std::string& relative) {
    return UnixToWinePath(E2E_DIR "/" + relative);
}
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
std::optional<std::string> ReadFileBytes(const std::wstring& path); // nullopt: missing or folder
bool FileExists(const std::wstring& path);
bool CreateFolders(const std::wstring& path); // with its parents, also beyond MAX_PATH
bool RemoveTree(const std::wstring& path);    // true when nothing is left
// Every file below folder by relative path with its bytes ("<folder>" for folders).
std::map<std::wstring, std::string> SnapshotFolder(const std::wstring& folder);

// The game's key "Software\Morvenhall\The Kestrand 2" in the player's hive, or the machine's
// in its 32-bit or 64-bit view.
enum class Hive { Player, Machine32, Machine64 };
struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const RegistryValue&) const = default;
};
RegistryValue StringValue(std::wstring_view text); // REG_SZ with its terminator
bool SetGameString(Hive hive, const wchar_t* name, const std::wstring& text);
bool DeleteGameKey(Hive hive);
// Imports a registry file (the format regedit exports) with the system's regedit.
bool ImportRegistryFile(const std::wstring& path);
// Every value of the key; nullopt when the key is missing.
using RegistryValues = std::map<std::wstring, RegistryValue>;
std::optional<RegistryValues> GameKeyValues(Hive hive);

struct Paths {
    std::wstring root = L"C:\\kestrand-e2e";
    std::wstring install = root + L"\\install";
    std::wstring documents;
    std::wstring Profiles() const { return install + L"\\bin\\config\\profiles"; }
    std::wstring Cooked() const { return install + L"\\CookedPC"; }
    std::wstring Game() const { return documents + L"\\Kestrand 2"; }
    std::wstring Config() const { return Game() + L"\\config"; }
    std::wstring UserIni() const { return Config() + L"\\User.ini"; }
};

// Points the shell's documents folder at folder; true when the shell then reports it.
bool SetDocumentsFolder(const std::wstring& folder);

// How a start ended: the main dialog showed, or the process ended first.
struct StartupOutcome {
    HWND dialog = nullptr;
    std::optional<DWORD> exitStatus;
    std::vector<BoxView> boxes; // message boxes seen (and answered with OK) on the way
    std::string Describe() const;
};

class ConfiguratorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const Paths& P() const { return m_paths; }
    // The player's documents folder at folder instead, emptied, with the game's folders made.
    bool MoveDocuments(const std::wstring& folder) {
        m_paths.documents = folder;
        return RemoveTree(folder) && CreateFolders(m_paths.Config()) && SetDocumentsFolder(folder);
    }
    void WriteUserIni(std::string_view bytes) {
        ASSERT_TRUE(WriteFileBytes(m_paths.UserIni(), bytes));
    }
    std::optional<std::string> UserIni() const { return ReadFileBytes(m_paths.UserIni()); }
    // A file of tests/e2e/inputs/.
    std::string Input(const std::string& name) const {
        return ReadFileBytes(TestFile("inputs/" + name)).value_or("<no input " + name + ">");
    }
    // User.ini opened by another program that shares only what share allows.
    HANDLE HoldUserIni(DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE) const {
        return CreateFileW(m_paths.UserIni().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    // Replaces the data files that name the text (*.qzstrings) and voice (*.qzspeech)
    // languages with empty files of these names.
    bool SetLanguageFiles(const std::vector<std::wstring>& text,
                          const std::vector<std::wstring>& voice) const;

    // Wine's switch for one program's libraries: an empty override keeps dll out of the
    // program. The display's DPI as the program will see it. Both are undone after the test.
    bool DisableLibrary(const wchar_t* dll);
    bool SetDpi(DWORD dpi);

    // Starts the program and follows it until its main dialog (then Main()) shows or it ends,
    // answering every message box on the way with OK.
    StartupOutcome Start();
    // Starts the program; false (and a failure) unless Main() shows without a message box.
    bool Launch();
    Window& Main() { return *m_main; }
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = kWaitMs);
    // Presses the main window's button; false (and a failure) unless the program ends normally.
    bool PressAndWaitForExit(int buttonId);
    // The failed-save warning over window: checked, answered; a failure when none comes.
    void AnswerSaveWarning(const Window& window);
    void KillProgram();
    std::string StandardError() const { return ReadFileBytes(ErrorsPath()).value_or(""); }

    // actual must equal the golden file tests/e2e/golden/name. With the environment variable
    // UPDATE_GOLDEN=1 a golden that differs is rewritten for review, and the test still fails;
    // with CI set as well nothing is rewritten.
    void ExpectGolden(const std::string& name, const std::string& actual) const;
    // The window's tree (WindowTree, without the machine's display modes) must equal the golden
    // file name, and the window must keep the layout rules.
    void ExpectWindow(const std::string& name, HWND window) {
        EXPECT_EQ(LayoutFaults(window), "") << name;
        ExpectGolden(name, WindowTree(window, {IDC_RESOLUTION_COMBO}));
    }
    void ExpectUserIniGolden(const std::string& name) const {
        ExpectGolden(name, UserIni().value_or("<no User.ini>"));
    }

private:
    std::wstring ErrorsPath() const { return m_paths.root + L"\\stderr.txt"; }

    Paths m_paths;
    std::optional<Window> m_main;
    HANDLE m_job = nullptr;
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// The main window's keyboard list entries.
enum Layout { kQwerty, kAzerty, kQwertz };

// Starts the program, chooses a keyboard layout and opens the input editor over it.
class EditorTest : public ConfiguratorTest {
protected:
    bool OpenEditor(int layout) { return Launch() && ReopenEditor(layout); }
    bool ReopenEditor(int layout) { // in the running program
        EXPECT_TRUE(Main().Choose(IDC_KEYBOARD_COMBO, layout));
        m_editor = Editor::Open(Main());
        EXPECT_TRUE(m_editor) << "the input editor did not open";
        return m_editor.has_value();
    }
    bool CloseEditor(int buttonId) {
        const bool closed = m_editor->ClickButton(buttonId) &&
                            PollFor([&] { return !IsWindow(m_editor->Handle()); });
        EXPECT_TRUE(closed) << "the editor did not close with button " << buttonId;
        return closed;
    }
    Editor& Ed() { return *m_editor; }

private:
    std::optional<Editor> m_editor;
};
