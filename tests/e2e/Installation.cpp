#include "Installation.h"

#include "Files.h"
#include "Registry.h"

#include <windows.h>
#include <shlobj.h>

namespace {

bool RemoveMatching(const std::wstring& folder, const std::wstring& pattern) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return true;
    bool ok = true;
    do {
        ok = RemoveTree(folder + L"\\" + data.cFileName) && ok;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return ok;
}

bool CreateEmptyFiles(const std::wstring& folder, const std::vector<std::wstring>& names,
                      const std::wstring& extension) {
    bool ok = true;
    for (const auto& name : names)
        ok = WriteFileBytes(folder + L"\\" + name + extension, "") && ok;
    return ok;
}

constexpr wchar_t kPrivateDocuments[] = L"C:\\kestrand-e2e-documents";

bool SetShellFolder(const wchar_t* keyPath, DWORD type, const std::wstring& folder) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok =
        RegSetValueExW(key, L"Personal", 0, type, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

std::wstring ShellDocumentsFolder() {
    wchar_t path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))
               ? path
               : L"";
}

} // namespace

bool SetDocumentsFolder(const std::wstring& folder) {
    SetShellFolder(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                   REG_EXPAND_SZ, folder);
    SetShellFolder(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", REG_SZ,
                   folder);
    return ShellDocumentsFolder() == folder;
}

Installation TestInstallation() {
    CreateFolders(kPrivateDocuments);
    SetDocumentsFolder(kPrivateDocuments);
    Installation installation;
    installation.root = L"C:\\kestrand-e2e";
    installation.installDir = installation.root + L"\\install";
    installation.documents = ShellDocumentsFolder();
    return installation;
}

std::string PrepareFreshInstallation(const Installation& installation,
                                     const std::wstring& sampleDir) {
    for (const GameKey& key : {kPlayerKey, kPlayerKey32, kMachineKey32, kMachineKey64}) {
        if (!DeleteGameKey(key))
            return std::string("cannot delete the game key in ") + key.Name();
    }
    if (installation.documents != kPrivateDocuments)
        return "the documents folder is not the tests' own";
    if (!RemoveTree(installation.root) || !RemoveTree(installation.GameDocuments()))
        return "cannot remove the previous test's files";
    if (!CopyTree(sampleDir, installation.installDir))
        return "cannot copy the sample installation";
    if (!CreateFolders(installation.ConfigDir()))
        return "cannot create the configuration folder";
    if (!SetGameString(kMachineKey32, L"Language", L"EN") ||
        !SetGameString(kMachineKey32, L"InstallFolder", installation.installDir))
        return "cannot register the installation";
    return {};
}

bool ReplaceLanguageDataFiles(const Installation& installation,
                              const std::vector<std::wstring>& textNames,
                              const std::vector<std::wstring>& voiceNames) {
    const std::wstring cooked = installation.CookedDir();
    return CreateFolders(cooked) && RemoveMatching(cooked, L"*.qzstrings") &&
           RemoveMatching(cooked, L"*.qzspeech") &&
           CreateEmptyFiles(cooked, textNames, L".qzstrings") &&
           CreateEmptyFiles(cooked, voiceNames, L".qzspeech");
}
