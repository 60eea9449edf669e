#include "app/MessageBox.h"

#include "app/WideText.h"
#include "config/LocalisedText.h"

int ShowMessageBox(HWND owner, const std::u16string& caption, const std::u16string& text,
                   UINT type) {
    return MessageBoxW(owner, AsWide(text), AsWide(caption), type);
}

void ShowSaveWarning(HWND owner, const std::u16string& language, const std::u16string& path) {
    std::u16string message = GetConfiguratorText(language, u"SaveError");
    if (message == u"SaveError")
        message = u"Your settings could not be saved to " + path + u".";
    ShowMessageBox(owner, GetConfiguratorText(language, u"Configurator"), message,
                   MB_OK | MB_ICONWARNING);
}
