#include <windows.h>

// Placeholder until the main dialog lands.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}
