#include "app/WinApp.h"

#include "system/WideText.h"

#include <vector>

CWinApp* CWinApp::s_current = nullptr;

CWinApp::CWinApp() {
    s_current = this;
}

CWinApp::~CWinApp() {
    if (s_current == this)
        s_current = nullptr;
}

bool CWinApp::InitInstance() {
    // Long paths are possible, so grow the buffer until the whole name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size() || buffer.size() >= 32768)
            break;
        buffer.resize(buffer.size() * 2);
    }
    std::u16string path = FromWide(std::wstring_view(buffer.data(), length));
    const size_t slash = path.find_last_of(u"\\/");
    std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos && dot > 0)
        name.erase(dot);
    m_appName = name;
    return true;
}
