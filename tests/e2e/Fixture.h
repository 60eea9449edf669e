#pragma once
// Per test: a fresh installation ("Language" EN), no player's files or key, the program in a job.

#include "Driver.h"

#include <gtest/gtest.h>

#include <map>

inline constexpr auto CaseName = [](const auto& info) { return std::string(info.param.name); };

// Files, by Windows path. UnixToWinePath: "/a/b" is "Z:\a\b"; TestFile: below tests/e2e.
std::wstring UnixToWinePath(std::string_view unixPath);
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

enum class Hive { Player, Machine32, Machine64 };
struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const RegistryValue&) const = default;
};
RegistryValue StringValue(std::wstring_view text); // REG_SZ with its terminator
bool SetGameString(Hive hive, const wchar_t* name, const std::wstring& text);
using RegistryValues = std::map<std::wstring, RegistryValue>;
std::optional<RegistryValues> GameKeyValues(Hive hive); // nullopt: no key

struct Paths {
    std::wstring root = L"C:\\kestrand-e2e";
    std::wstring install = root + L"\\install";
    std::wstring documents;
    std::wstring Profiles() const { return install + L"\\bin\\config\\profiles"; }
    std::wstring Cooked() const { return install + L"\\CookedPC"; }
    std::wstring Game() const { return documents + L"\\Kestrand 2"; }
    std::wstring Config() const { return Game() + L"\\config"; }
    std::wstring UserIni() const { return Config() + L"\\User.ini"; }
    std::wstring Mapping() const { return Config() + L"\\DIMapping.ini"; }
};

// Points the shell's documents folder at folder; true when the shell then reports it.
bool SetDocumentsFolder(const std::wstring& folder);

struct StartupOutcome {
    HWND dialog = nullptr;
    std::optional<DWORD> exitStatus;
    std::vector<std::string> boxes; // message boxes seen (and answered with OK) on the way
    std::string Describe() const {
        std::string text = dialog ? "main dialog shown" : "no main dialog";
        text += exitStatus ? ", exit status " + std::to_string(*exitStatus) : ", still running";
        for (const auto& box : boxes)
            text += ", box " + box;
        return text;
    }
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
    std::string Input(const std::string& name) const {
        return ReadFileBytes(TestFile("inputs/" + name)).value_or("<no input " + name + ">");
    }
    // User.ini opened by another program that shares only what share allows.
    HANDLE HoldUserIni(DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE) const {
        return CreateFileW(m_paths.UserIni().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    // Replaces the language data files with empty ones: text (.qzstrings), voice (.qzspeech).
    bool SetLanguageFiles(const std::vector<std::wstring>& text,
                          const std::vector<std::wstring>& voice) const;

    // Keeps dll out of the program (a Wine override); sets the display's DPI. Undone after a test.
    bool DisableLibrary(const wchar_t* dll);
    bool SetDpi(DWORD dpi) {
        return RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels",
                               REG_DWORD, &dpi, sizeof dpi) == ERROR_SUCCESS;
    }

    // Follows a start until the main dialog (Main()) shows or the program ends; OKs every box.
    StartupOutcome Start();
    // Starts the program; false (and a failure) unless Main() shows without a message box.
    bool Launch() {
        const StartupOutcome outcome = Start();
        const bool clean = outcome.dialog && outcome.boxes.empty();
        EXPECT_TRUE(clean) << "the main dialog did not show cleanly: " << outcome.Describe();
        return clean;
    }
    Window& Main() { return *m_main; }
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = kWaitMs) {
        DWORD status = 0;
        if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(m_process, &status))
            return std::nullopt;
        return status;
    }
    // Presses the main window's button; false (and a failure) unless the program ends normally.
    bool PressAndWaitForExit(int buttonId);
    // The failed-save warning over window: checked, answered; a failure when none comes.
    void AnswerSaveWarning(const Window& window) {
        EXPECT_EQ(window.AnswerBox(IDOK), "Kestrand 2 Setup: Your settings could not be saved. "
                                          "Check that the file is not locked and try again.");
    }
    void KillProgram();
    std::string StandardError() const { return ReadFileBytes(ErrorsPath()).value_or(""); }

    // actual must equal golden/name; UPDATE_GOLDEN=1 (not under CI) rewrites it, and still fails.
    void ExpectGolden(const std::string& name, const std::string& actual) const;
    // The window keeps the layout rules and, given a name, its tree is golden/name.
    void ExpectWindow(const std::string& name, HWND window) {
        EXPECT_EQ(LayoutFaults(window), "") << name;
        if (!name.empty())
            ExpectGolden(name, WindowTree(window));
    }
    void ExpectUserIniGolden(const std::string& name) const {
        ExpectGolden(name, UserIni().value_or("<no User.ini>"));
    }
    void ExpectOkSaves(const std::string& name) {
        ASSERT_TRUE(PressAndWaitForExit(IDOK));
        ExpectUserIniGolden(name);
    }

private:
    std::wstring ErrorsPath() const { return m_paths.root + L"\\stderr.txt"; }

    Paths m_paths;
    std::optional<Window> m_main;
    HANDLE m_job = nullptr;
    HANDLE m_process = nullptr;
};

enum Layout { kQwerty, kAzerty, kQwertz }; // the keyboard list's entries

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
