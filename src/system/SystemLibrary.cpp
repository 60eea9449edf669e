#include "system/SystemLibrary.h"

#include <string>
#include <utility>

namespace {

HMODULE LoadFromSystemFolder(const wchar_t* name) {
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    // Windows 7 without the update that brought the search flags refuses them; naming the
    // file by its full path in the system folder keeps the search just as narrow.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    return LoadLibraryW(path.c_str());
}

} // namespace

SystemLibrary::SystemLibrary(const wchar_t* name) : m_module(LoadFromSystemFolder(name)) {}

SystemLibrary::~SystemLibrary() {
    Free();
}

SystemLibrary::SystemLibrary(SystemLibrary&& other) noexcept
    : m_module(std::exchange(other.m_module, nullptr)) {}

SystemLibrary& SystemLibrary::operator=(SystemLibrary&& other) noexcept {
    if (this != &other) {
        Free();
        m_module = std::exchange(other.m_module, nullptr);
    }
    return *this;
}

SystemLibrary::Export SystemLibrary::FindExport(const char* name) const {
    // With a null module GetProcAddress would search the program itself. The error of the
    // failed load stays in GetLastError.
    if (m_module == nullptr)
        return nullptr;
    return reinterpret_cast<Export>(GetProcAddress(m_module, name));
}

void SystemLibrary::KeepForProcess() const {
    // The module's base address lies in the module, so it names it.
    HMODULE pinned = nullptr;
    if (m_module != nullptr)
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(m_module), &pinned);
}

void SystemLibrary::Free() {
    if (m_module != nullptr)
        FreeLibrary(std::exchange(m_module, nullptr));
}
