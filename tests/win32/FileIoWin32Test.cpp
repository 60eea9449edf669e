// The Windows file adapter for configuration files, on the real Win32 file functions.

#include "config/ConfigFile.h"
#include "config/FileIo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::u16string U16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

std::wstring Extended(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

// Deletes a folder and everything in it; long paths included.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Extended(folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(Extended(path).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(Extended(path).c_str());
            }
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(Extended(folder).c_str());
}

std::vector<std::wstring> Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(Extended(folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

class FileIoWin32Test : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
        ASSERT_GT(length, 0u);
        m_root = std::wstring(temp, length) + L"cfgwin32-" +
                 std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());
        ASSERT_TRUE(CreateDirectoryW(m_root.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(m_root); }

    std::wstring MakeShortFolder() {
        const std::wstring folder = m_root + L"\\short";
        EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        return folder;
    }

    // A folder below the root whose path is well past MAX_PATH.
    std::wstring MakeLongFolder() {
        std::wstring folder = m_root + L"\\long";
        EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        while (folder.size() < 300) {
            folder += L"\\" + std::wstring(60, L'd');
            EXPECT_TRUE(CreateDirectoryW(Extended(folder).c_str(), nullptr));
        }
        return folder;
    }

    std::wstring m_root;
};

const std::string Bom = "\xEF\xBB\xBF";

TEST_F(FileIoWin32Test, PathsLongerThanMaxPath) {
    const std::wstring folder = MakeLongFolder();
    const std::u16string path = U16(folder + L"\\User.ini");
    ASSERT_GT(path.size(), 300u);

    EXPECT_FALSE(PathExists(path));
    ASSERT_TRUE(ReplaceFileAtomically(path, "[S]\r\nKey=Value\r\n"));
    EXPECT_TRUE(PathExists(path));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "[S]\r\nKey=Value\r\n");

    ConfigFile file(u"User", path);
    std::u16string value;
    ASSERT_NE(file.FindSection(u"S", false), nullptr);
    EXPECT_TRUE(file.FindSection(u"S", false)->GetValue(u"Key", value));
    EXPECT_EQ(value, u"Value");
    file.FindSection(u"S", false)->SetValue(u"Key", u"New", false);
    EXPECT_TRUE(file.Write());
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, Bom + "[S]\r\nKey=New\r\n\r\n");
    EXPECT_EQ(Names(folder), std::vector<std::wstring>{L"User.ini"});
}

TEST_F(FileIoWin32Test, DoubledBackslashesAndSlashes) {
    const std::wstring longFolder = MakeLongFolder();
    for (const std::wstring& folder : {MakeShortFolder(), longFolder}) {
        std::wstring spelled = folder;
        const size_t cut = spelled.rfind(L'\\');
        spelled = spelled.substr(0, cut) + L"\\\\" + spelled.substr(cut + 1) + L"/User.ini";
        const std::u16string path = U16(spelled);
        EXPECT_TRUE(ReplaceFileAtomically(path, "x")) << path.size();
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(U16(folder + L"\\User.ini"), bytes)) << path.size();
        EXPECT_EQ(bytes, "x");
        EXPECT_EQ(Names(folder), std::vector<std::wstring>{L"User.ini"}) << path.size();
    }
}

TEST_F(FileIoWin32Test, ReadOnlyAttributeBlocksTheReplacement) {
    const std::wstring longFolder = MakeLongFolder();
    for (const std::wstring& folder : {MakeShortFolder(), longFolder}) {
        const std::wstring path = folder + L"\\User.ini";
        ASSERT_TRUE(ReplaceFileAtomically(U16(path), "old"));
        ASSERT_TRUE(SetFileAttributesW(Extended(path).c_str(), FILE_ATTRIBUTE_READONLY));
        EXPECT_FALSE(ReplaceFileAtomically(U16(path), "new")) << path.size();
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(U16(path), bytes));
        EXPECT_EQ(bytes, "old");
        EXPECT_EQ(Names(folder), std::vector<std::wstring>{L"User.ini"}) << path.size();
    }
}

TEST_F(FileIoWin32Test, MissingFolder) {
    for (const std::wstring& folder : {m_root, MakeLongFolder()}) {
        const std::u16string path = U16(folder + L"\\Missing\\User.ini");
        EXPECT_FALSE(ReplaceFileAtomically(path, "x")) << path.size();
        std::string bytes;
        EXPECT_FALSE(ReadFileBytes(path, bytes));
        EXPECT_FALSE(PathExists(U16(folder + L"\\Missing")));
    }
    EXPECT_EQ(Names(m_root), std::vector<std::wstring>{L"long"});
}

} // namespace
