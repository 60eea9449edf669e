#include "app/WinApp.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CWinApp* app = CWinApp::Current();
    if (app)
        app->InitInstance();
    return 0;
}
