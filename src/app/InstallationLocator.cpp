#include "app/InstallationLocator.h"

#include "app/Installation.h"
#include "app/WinApp.h"
#include "system/Registry.h"
#include "system/UserFolder.h"
#include "window/MessageBox.h"

#include <cstdlib>

namespace {

[[noreturn]] void EndStartup(HWND owner, StartupExitStatus status) {
    if (ShowsReinstallMessage(status)) {
        const CWinApp* app = CWinApp::Current();
        ShowMessageBox(owner, app ? app->AppName() : std::u16string(u"Configurator"),
                       std::u16string(kReinstallMessage), MB_OK | MB_ICONWARNING);
    }
    std::exit(status);
}

// A 64-bit build on 64-bit Windows looks at the 64-bit view by default, while the game's
// installer may have written to the 32-bit one: try that first, then the native view.
CRegistryKey OpenMachineKey() {
    CRegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kGameRegistryKey, 0, KEY_READ | KEY_WOW64_32KEY,
                      key.Receive()) == ERROR_SUCCESS)
        return key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kGameRegistryKey, 0, KEY_READ, key.Receive()) ==
        ERROR_SUCCESS)
        return key;
    return CRegistryKey();
}

} // namespace

LocatedInstallation LocateInstallationOrExit(HWND owner) {
    LocatedInstallation located;

    const std::u16string documents = DocumentsFolder();
    if (documents.empty())
        EndStartup(owner, kNoDocumentsFolder);
    located.userConfigDir = UserConfigFolder(documents);

    constexpr REGSAM kUserKeyAccess = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kGameRegistryKey, 0, nullptr, 0, kUserKeyAccess, nullptr,
                        located.userKey.Receive(), nullptr) != ERROR_SUCCESS)
        EndStartup(owner, kNoUserKey);

    InstallationReads reads;
    {
        CRegistryKey machineKey = OpenMachineKey();
        reads.machineKeyOpen = machineKey.IsValid();
        if (reads.machineKeyOpen) {
            reads.userLanguage = ReadRegistryText(located.userKey.Get(), L"Language");
            if (!reads.userLanguage)
                reads.machineLanguage = ReadRegistryText(machineKey.Get(), L"Language");
            reads.userSpeech = ReadRegistryText(located.userKey.Get(), L"Speech");
            if (!reads.userSpeech)
                reads.machineSpeech = ReadRegistryText(machineKey.Get(), L"Speech");
            reads.installFolder = ReadRegistryText(machineKey.Get(), L"InstallFolder");
        }
    } // the machine key closes here; the player's stays open

    const Installation found = ResolveInstallation(reads);
    if (found.status != kStartupOk)
        EndStartup(owner, found.status);
    located.profilesDir = ProfilesFolder(found.installFolder);
    located.languageDir = LanguageFolder(found.installFolder);
    located.textLanguagePattern = TextLanguagePattern(found.installFolder);
    located.voiceLanguagePattern = VoiceLanguagePattern(found.installFolder);
    located.textLanguage = found.textLanguage;
    located.voiceLanguage = found.voiceLanguage;
    return located;
}
