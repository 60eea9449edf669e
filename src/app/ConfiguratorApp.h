#pragma once
// The application object of Configurator.exe.

#include "app/WinApp.h"

class CConfiguratorApp : public CWinApp {
public:
    // Registers the common controls and runs the main dialog modally. Returns false: the
    // process ends when the dialog has closed (saving happens inside the dialog).
    bool InitInstance() override;
};
