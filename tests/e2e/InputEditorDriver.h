#pragma once
// Operates the input editor of a running program from the driver process: its tabs, its two
// pages and their binding fields, and real key presses and mouse clicks injected with
// SendInput, which reach the program's DirectInput devices as a player's would. And the
// fixture of its tests: the program started, a keyboard layout chosen in the main window and
// the editor opened over it.

#include "ConfiguratorTest.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

enum class EditorPage { Keyboard, Gamepad };

class InputEditorDriver : public DialogDriver {
public:
    // Clicks "Input settings" in the main dialog and waits for the editor; nullopt (with a
    // recorded failure) when it does not open.
    static std::optional<InputEditorDriver> Open(DialogDriver& mainDialog);

    int TabCount() const;
    std::wstring TabCaption(int index) const;
    int SelectedTab() const;
    // TCM_SETCURFOCUS, as a click on the tab: the control notifies the editor itself.
    bool SelectTab(int index);

    HWND Page(EditorPage page) const;
    HWND Field(EditorPage page, int editId) const { return GetDlgItem(Page(page), editId); }
    std::wstring PageText(EditorPage page, int id) const;
    bool IsShown(EditorPage page) const { return IsWindowVisible(Page(page)) != FALSE; }
    bool IsEnabled(EditorPage page) const { return IsWindowEnabled(Page(page)) != FALSE; }

    // A player's double click on the field: down, up, double click, up, posted in order.
    bool DoubleClickField(EditorPage page, int editId);

    // Holds the key (a DirectInput scan code; extended for the right-hand Alt and Ctrl and
    // the arrows) at least long enough for a poll, nudging field, until done() or timeoutMs
    // has passed; then releases it. Returns done().
    bool HoldKey(HWND field, WORD scanCode, bool extended, const std::function<bool()>& done,
                 DWORD timeoutMs);
    // The same with a mouse button (MOUSEEVENTF_LEFTDOWN ...) at a screen point.
    bool HoldButton(HWND field, POINT at, DWORD downFlag, DWORD upFlag,
                    const std::function<bool()>& done, DWORD timeoutMs);

    // A player's click on a button of the editor: the pointer reaches the button (the button
    // hands WM_SETCURSOR to the editor, which ends a block that has run out), then the click.
    bool ClickButton(int id);
    // A button of a page, posted: it may open a modal window.
    bool PostPageClick(EditorPage page, int id);

    // The window that has the focus in the program's thread.
    HWND FocusWindow() const;

private:
    explicit InputEditorDriver(HWND editor);

    HWND m_keyboardPage = nullptr;
    HWND m_gamepadPage = nullptr;
};

// The centre of a window, in screen coordinates.
POINT CentreOf(HWND window);

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
    // Chooses the keyboard list entry in the running program and opens the editor again.
    bool ReopenEditor(int layout);

    // Presses the editor's OK or Cancel and waits for it to close.
    bool CloseEditor(int buttonId);
    // Cancels the main window and waits for the program to end.
    void FinishProgram();

    // The text of key in section "InputEditor" of the installed English language file.
    std::wstring EditorText(const std::string& key) const;

    // The section of the user file on disk, in the program's order, or nothing.
    std::optional<IniSection> UserSection(const std::string& name) const;

    InputEditorDriver& Editor() { return *m_editor; }
    DialogDriver& MainDialog() { return *m_main; }

private:
    std::optional<DialogDriver> m_main;
    std::optional<InputEditorDriver> m_editor;
};
