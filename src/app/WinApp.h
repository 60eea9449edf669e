#pragma once
// CWinApp: the one application object of the process. Its InitInstance does the whole run;
// wWinMain only starts it.

#include <windows.h>

#include <string>

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // The application object, or null before it is constructed.
    static CWinApp* Current() { return s_current; }

    // Sets up the object (the program's name). Derived classes call it first and return
    // false to end the process when they are done.
    virtual bool InitInstance();

    // The executable's file name without folder and extension: the caption of the
    // program's own message boxes.
    const std::u16string& AppName() const { return m_appName; }

private:
    static CWinApp* s_current;
    std::u16string m_appName;
};
