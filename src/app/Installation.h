#pragma once
// The start-up's decisions, which need no window: which registry values win, which failure
// ends the start-up with which exit status, and where the player's and the game's files are.
// The Win32 shell (InstallationLocator) gathers the reads and acts on the result.

#include <optional>
#include <string>
#include <string_view>

// The exit statuses of a failed start-up.
enum StartupExitStatus : int {
    kStartupOk = 0,
    kNoDocumentsFolder = 100,
    kNoUserKey = 101,
    kNoMachineKey = 102,
    kNoLanguage = 103,
    kNoInstallFolder = 105,
    kEmptyInstallFolder = 106,
    kEmptyTextLanguage = 107,
    kEmptyVoiceLanguage = 108,
};

// The registry reads of the start-up; an absent optional is a failed read.
struct InstallationReads {
    bool machineKeyOpen = false;
    std::optional<std::u16string> userLanguage;
    std::optional<std::u16string> machineLanguage;
    std::optional<std::u16string> userSpeech;
    std::optional<std::u16string> machineSpeech;
    std::optional<std::u16string> installFolder; // machine key only
};

struct Installation {
    StartupExitStatus status = kStartupOk; // anything else: the texts are not meaningful
    std::u16string textLanguage;
    std::u16string voiceLanguage;
    std::u16string installFolder;
};

// The player's values win over the machine's; a missing "Speech" is the text language. The
// first failure in start-up order decides the status.
Installation ResolveInstallation(const InstallationReads& reads);

// True for the statuses that first tell the player to reinstall the game.
bool ShowsReinstallMessage(StartupExitStatus status);

// The message of those statuses.
inline constexpr std::u16string_view kReinstallMessage =
    u"Could not find valid The Kestrand 2 installation, please reinstall the game.";

// "<documents>\Kestrand 2\config\"
std::u16string UserConfigFolder(const std::u16string& documents);
// "<install>\bin\config\profiles\" and "<install>\bin\config\lang\"; the installation folder
// is used as stored, so a trailing backslash doubles (the file system accepts that).
std::u16string ProfilesFolder(const std::u16string& installFolder);
std::u16string LanguageFolder(const std::u16string& installFolder);
// "<install>\CookedPC\*.qzstrings" and "<install>\CookedPC\*.qzspeech"
std::u16string TextLanguagePattern(const std::u16string& installFolder);
std::u16string VoiceLanguagePattern(const std::u16string& installFolder);
