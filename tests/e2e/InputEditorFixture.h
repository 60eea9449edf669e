#pragma once
// The fixture of the input editor's end-to-end tests: the program started on a fresh
// installation, a keyboard layout chosen in the main window, and the editor opened over it.

#include "ConfiguratorTest.h"
#include "ExpectedIni.h"
#include "InputEditorDriver.h"

#include <optional>
#include <string>

// Keyboard list entries of the main window.
inline constexpr int kQwerty = 0;
inline constexpr int kAzerty = 1;
inline constexpr int kQwertz = 2;

// Generous bounds for waits on the program; a passing test never waits this long.
inline constexpr DWORD kWaitMs = 5000;

class InputEditorTest : public ConfiguratorTest {
protected:
    // Starts the program, chooses the keyboard list entry and opens the editor.
    bool OpenEditor(int layout);
    // Opens the editor again in the same program.
    bool ReopenEditor();

    // Presses the editor's OK or Cancel and waits for it to close.
    bool CloseEditor(int buttonId);
    // Cancels the main window and waits for the program to end.
    void FinishProgram();

    // The text of key in section "InputEditor" of the installed English language file.
    std::wstring EditorText(const std::string& key) const;

    // The layout's section of the user file on disk, in the program's order, or nothing.
    std::optional<IniSection> UserSection(const std::string& name) const;

    // The message box that the program shows next, read and then answered with buttonId.
    std::optional<MessageBoxView> AnswerMessageBox(int buttonId);

    InputEditorDriver& Editor() { return *m_editor; }
    DialogDriver& MainDialog() { return *m_main; }

private:
    std::optional<DialogDriver> m_main;
    std::optional<InputEditorDriver> m_editor;
};
