#include "ui/SaveWarning.h"

#include "config/LocalisedText.h"
#include "window/MessageBox.h"

void ShowSaveWarning(HWND owner, const std::u16string& language, const std::u16string& path) {
    std::u16string message = GetConfiguratorText(language, u"SaveError");
    if (message == u"SaveError")
        message = u"Your settings could not be saved to " + path + u".";
    ShowMessageBox(owner, GetConfiguratorText(language, u"Configurator"), message,
                   MB_OK | MB_ICONWARNING);
}
