#include "app/Installation.h"

Installation ResolveInstallation(const InstallationReads& reads) {
    Installation result;
    if (!reads.machineKeyOpen) {
        result.status = kNoMachineKey;
        return result;
    }
    const std::optional<std::u16string>& language =
        reads.userLanguage ? reads.userLanguage : reads.machineLanguage;
    if (!language) {
        result.status = kNoLanguage;
        return result;
    }
    result.textLanguage = *language;
    if (reads.userSpeech)
        result.voiceLanguage = *reads.userSpeech;
    else if (reads.machineSpeech)
        result.voiceLanguage = *reads.machineSpeech;
    else
        result.voiceLanguage = result.textLanguage;
    if (!reads.installFolder) {
        result.status = kNoInstallFolder;
        return result;
    }
    result.installFolder = *reads.installFolder;
    if (result.installFolder.empty())
        result.status = kEmptyInstallFolder;
    else if (result.textLanguage.empty())
        result.status = kEmptyTextLanguage;
    else if (result.voiceLanguage.empty())
        result.status = kEmptyVoiceLanguage;
    return result;
}

bool ShowsReinstallMessage(StartupExitStatus status) {
    return status == kNoMachineKey || status == kNoLanguage || status == kNoInstallFolder;
}

std::u16string UserConfigFolder(const std::u16string& documents) {
    return documents + u"\\Kestrand 2\\config\\";
}

std::u16string ProfilesFolder(const std::u16string& installFolder) {
    return installFolder + u"\\bin\\config\\profiles\\";
}

std::u16string LanguageFolder(const std::u16string& installFolder) {
    return installFolder + u"\\bin\\config\\lang\\";
}

std::u16string TextLanguagePattern(const std::u16string& installFolder) {
    return installFolder + u"\\CookedPC\\*.qzstrings";
}

std::u16string VoiceLanguagePattern(const std::u16string& installFolder) {
    return installFolder + u"\\CookedPC\\*.qzspeech";
}
