#include "window/MessageBox.h"

#include "system/WideText.h"

int ShowMessageBox(HWND owner, const std::u16string& caption, const std::u16string& text,
                   UINT type) {
    return MessageBoxW(owner, AsWide(text), AsWide(caption), type);
}
