#include "system/UserFolder.h"

#include "config/ConfigStore.h"
#include "config/LongPath.h"
#include "system/WideText.h"

#include <shlobj.h>

namespace {

// The game reads the file even when the player made it read-only; it must stay writable.
void ClearReadOnly(const std::u16string& path) {
    const std::u16string longPath = ExtendedLengthPath(path);
    const DWORD attributes = GetFileAttributesW(AsWide(longPath));
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(AsWide(longPath),
                           attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

} // namespace

std::u16string DocumentsFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return FromWide(path);
}

void CreateFolderTree(const std::u16string& folder) {
    SHCreateDirectoryExW(nullptr, AsWide(folder), nullptr);
    if (GetFileAttributesW(AsWide(ExtendedLengthPath(folder))) != INVALID_FILE_ATTRIBUTES)
        return;
    for (size_t end = folder.find(u'\\', 3);; end = folder.find(u'\\', end + 1)) {
        CreateDirectoryW(AsWide(ExtendedLengthPath(folder.substr(0, end))), nullptr);
        if (end == std::u16string::npos)
            return;
    }
}

void PrepareUserFolder(ConfigStore& store) {
    std::u16string folder = store.Directory();
    while (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/'))
        folder.pop_back();
    CreateFolderTree(folder);
    if (const ConfigFile* user = store.GetFile(u"User"))
        ClearReadOnly(user->Path());
}

bool IsReadOnlyFile(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(ExtendedLengthPath(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}
