#include "app/ConfiguratorApp.h"

#include "app/InstallationLocator.h"
#include "ui/main/ConfiguratorDlg.h"

#include <commctrl.h>

namespace {
CConfiguratorApp theApp;
} // namespace

bool CConfiguratorApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    CWinApp::InitInstance();

    CConfiguratorDlg dialog(LocateInstallationOrExit);
    dialog.DoModal(nullptr);
    return false;
}
