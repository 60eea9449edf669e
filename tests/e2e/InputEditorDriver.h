#pragma once
// Operates the input editor of a running program from the driver process: its tabs, its two
// pages and their binding fields, and real key presses and mouse clicks injected with
// SendInput, which reach the program's DirectInput devices as a player's would.

#include "DialogDriver.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

enum class EditorPage { Keyboard, Gamepad };

class InputEditorDriver {
public:
    // Clicks "Input settings" in the main dialog and waits for the editor; nullopt (with a
    // recorded failure) when it does not open.
    static std::optional<InputEditorDriver> Open(DialogDriver& mainDialog);

    HWND Handle() const { return m_editor; }
    bool IsOpen() const { return IsWindow(m_editor) && IsWindowVisible(m_editor); }
    std::wstring Caption() const;
    std::wstring Text(int id) const;
    RECT WindowRect() const;

    int TabCount() const;
    std::wstring TabCaption(int index) const;
    int SelectedTab() const;
    // TCM_SETCURFOCUS, as a click on the tab: the control notifies the editor itself.
    bool SelectTab(int index);

    HWND Page(EditorPage page) const;
    HWND Field(EditorPage page, int editId) const;
    std::wstring PageText(EditorPage page, int id) const;
    bool IsShown(EditorPage page) const;
    bool IsEnabled(EditorPage page) const;
    bool IsFieldEnabled(EditorPage page, int editId) const;

    // A player's double click on the field: down, up, double click, up, posted in order.
    bool DoubleClickField(EditorPage page, int editId);
    // A message that makes the field look at the devices once (it polls on every message).
    void NudgeField(HWND field) const;

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
    // Buttons of the editor or of a page, posted: they may open modal windows.
    bool PostClick(int id);
    bool PostPageClick(EditorPage page, int id);

    // A message box of the program while the editor is open; null after timeoutMs.
    HWND WaitForMessageBox(DWORD timeoutMs) const;
    // Waits until the editor's window is gone.
    bool WaitClosed(DWORD timeoutMs) const;
    // The window that has the focus in the program's thread.
    HWND FocusWindow() const;

private:
    explicit InputEditorDriver(HWND editor);

    HWND m_editor;
    HWND m_keyboardPage = nullptr;
    HWND m_gamepadPage = nullptr;
};

// The centre of a window, in screen coordinates.
POINT CentreOf(HWND window);
