// The Windows file adapter for configuration files, on the real Win32 file functions.

#include "config/FileIo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

// In a short folder and in one well past MAX_PATH, each named as given and with a doubled
// backslash and a forward slash: a file is written whole and read back; a read-only file and
// a missing folder refuse the write. No temporary file stays: the folders can be removed.
TEST(FileIoWin32, ShortAndLongPathsHoweverSpelled) {
    wchar_t temp[MAX_PATH + 1] = {};
    std::wstring folder = std::wstring(temp, GetTempPathW(MAX_PATH + 1, temp)) + L"cfgwin32-" +
                          std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(GetTickCount());
    std::vector<std::wstring> made;
    for (; folder.size() < 360; folder += L"\\" + std::wstring(60, L'd')) {
        made.push_back(L"\\\\?\\" + folder);
        ASSERT_TRUE(CreateDirectoryW(made.back().c_str(), nullptr));
        if (made.size() > 1 && folder.size() < 300)
            continue; // a short folder and a long one
        const std::u16string path(folder.begin(), folder.end());
        const std::u16string file = path + u"\\User.ini";
        const std::u16string odd = path.substr(0, path.rfind(u'\\')) + u"\\\\" +
                                   path.substr(path.rfind(u'\\') + 1) + u"/User.ini";
        const std::wstring attributes = made.back() + L"\\User.ini";
        std::string bytes;
        EXPECT_FALSE(PathExists(file));
        EXPECT_TRUE(ReplaceFileAtomically(file, "old") && ReplaceFileAtomically(odd, "new"));
        EXPECT_TRUE(ReadFileBytes(odd, bytes) && PathExists(file));
        EXPECT_EQ(bytes, "new") << folder.size();
        SetFileAttributesW(attributes.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_FALSE(ReplaceFileAtomically(file, "x")) << folder.size();
        EXPECT_TRUE(ReadFileBytes(file, bytes) && bytes == "new");
        SetFileAttributesW(attributes.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_FALSE(ReplaceFileAtomically(path + u"\\Missing\\User.ini", "x"));
        EXPECT_FALSE(ReadFileBytes(path + u"\\Missing\\User.ini", bytes) ||
                     PathExists(path + u"\\Missing"));
    }
    for (auto made_folder = made.rbegin(); made_folder != made.rend(); ++made_folder) {
        DeleteFileW((*made_folder + L"\\User.ini").c_str());
        EXPECT_TRUE(RemoveDirectoryW(made_folder->c_str())) << made_folder->size();
    }
}
