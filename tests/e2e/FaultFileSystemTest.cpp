// The file system refusing a save: a target that cannot be replaced, a backup or temporary
// name taken by a folder, no room, unusual and long documents paths. The old file stays as it
// was, the player is warned and the window stays open; once the cause is gone OK saves.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "FaultSupport.h"
#include "Files.h"
#include "GameData.h"
#include "SaveExpectations.h"

#include "config/FaultInputs.h"

#include <string>

namespace {

// What OK must write over a user file that held before.
std::string ExpectedSave(const Installation& paths, const IniModel& before) {
    const ProfileFiles profiles(paths.ProfilesDir());
    return FormatIniBytes(ExpectedUserFile(before, ChoicesAtStart(before, profiles), profiles));
}

const IniModel kBefore = {{"Engine", {{"PerformancePlatform", {"3"}}}},
                          {"Input", {{"KeyboardLayout", {"QWERTZ"}}}}};

class FileSystemFaultTest : public ConfiguratorTest {
protected:
    // Presses OK expecting the failed-save warning; the window must stay open and the player's
    // folder must be exactly as before.
    void OkFailsVisibly(DialogDriver& dialog, const std::wstring& folder) {
        const auto files = SnapshotFolder(folder);
        ASSERT_TRUE(dialog.PostClick(ids::kOk));
        ASSERT_TRUE(AnswerSaveWarning(dialog, Paths().LangDir()));
        EXPECT_TRUE(dialog.IsOpen()) << "the window closed after a failed save";
        EXPECT_EQ(SnapshotFolder(folder), files) << "a failed save changed the player's files";
    }
};

} // namespace

// User.ini held open by another program (without delete sharing) cannot be replaced: the
// player is warned, and once it is closed a second OK saves.
TEST_F(FileSystemFaultTest, LockedUserFile) {
    WriteUserIni(FormatIniBytes(kBefore));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    HANDLE lock =
        CreateFileW(Paths().UserIni().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    OkFailsVisibly(*dialog, Paths().GameDocuments());
    CloseHandle(lock);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(UserIniBytes(), ExpectedSave(Paths(), kBefore));
}

// The names the save needs beside User.ini taken by folders: the temporary file's, and the
// backup's when the file was not read whole. Nothing is replaced and the player is warned.
TEST_F(FileSystemFaultTest, TemporaryNameTakenByAFolder) {
    WriteUserIni(FormatIniBytes(kBefore));
    ASSERT_TRUE(CreateFolders(Paths().UserIni() + L".tmp"));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    OkFailsVisibly(*dialog, Paths().GameDocuments());
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}

TEST_F(FileSystemFaultTest, BackupNameTakenByAFolder) {
    const std::string original = fault::GoodStart() + "[Key Bindings]\r\nA=1\r\n";
    WriteUserIni(original);
    ASSERT_TRUE(CreateFolders(Paths().UserIni() + L".bak"));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    OkFailsVisibly(*dialog, Paths().GameDocuments());
    ASSERT_TRUE(RemoveTree(Paths().UserIni() + L".bak"));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadFileBytes(Paths().UserIni() + L".bak"), original);
    const ProfileFiles profiles(Paths().ProfilesDir());
    EXPECT_EQ(UserIniBytes(), ExpectedAfterOk(original, profiles));
}

// A read-only User.ini that was not read whole: made writable, saved, and the original kept.
TEST_F(FileSystemFaultTest, ReadOnlyFileNotReadWhole) {
    const std::string original = fault::GoodStart() + "[]\r\nA=1\r\n";
    WriteUserIni(original);
    ASSERT_TRUE(SetFileAttributesW(Paths().UserIni().c_str(), FILE_ATTRIBUTE_READONLY));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(GetFileAttributesW(Paths().UserIni().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadFileBytes(Paths().UserIni() + L".bak"), original);
    const ProfileFiles profiles(Paths().ProfilesDir());
    EXPECT_EQ(UserIniBytes(), ExpectedAfterOk(original, profiles));
}

// A file where the game's folder should be: the folder cannot be made, the player is warned,
// and the file is left alone.
TEST_F(FileSystemFaultTest, GameFolderNameTakenByAFile) {
    ASSERT_TRUE(RemoveTree(Paths().GameDocuments()));
    ASSERT_TRUE(WriteFileBytes(Paths().GameDocuments(), "not a folder"));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    OkFailsVisibly(*dialog, Paths().documents);
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
    EXPECT_EQ(ReadFileBytes(Paths().GameDocuments()), "not a folder");
}

namespace {

// A documents folder elsewhere for one test, with the game's folders below it.
class MovedDocumentsTest : public FileSystemFaultTest {
protected:
    // Points the documents folder at folder and starts the program; false when the shell does
    // not follow.
    bool UseDocuments(const std::wstring& folder) {
        m_documents.emplace(folder);
        if (!m_documents->Active()) {
            ADD_FAILURE() << "the shell does not report the moved documents folder";
            return false;
        }
        return true;
    }

    static std::wstring ConfigDirOf(const std::wstring& documents) {
        return documents + L"\\Kestrand 2\\config";
    }

    void TearDown() override {
        FileSystemFaultTest::TearDown();
        m_documents.reset();
    }

private:
    std::optional<DocumentsOverride> m_documents;
};

} // namespace

// Documents below a path with Latin-1, CJK and astral characters: the file is read from and
// written to the right place.
TEST_F(MovedDocumentsTest, NonAsciiDocumentsFolder) {
    const std::wstring documents = Paths().root + L"\\Dokumente \u00C5sa \u65E5\u672C \U0001F600";
    ASSERT_TRUE(CreateFolders(ConfigDirOf(documents)));
    ASSERT_TRUE(WriteFileBytes(ConfigDirOf(documents) + L"\\User.ini", FormatIniBytes(kBefore)));
    ASSERT_TRUE(UseDocuments(documents));
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboSelection(ids::kKeyboardList), 2) << "User.ini was not read";
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadFileBytes(ConfigDirOf(documents) + L"\\User.ini"),
              ExpectedSave(Paths(), kBefore));
}

// Documents deep enough that User.ini's path passes 260 characters, with the game's folder
// there already, and without it (OK then makes it, which the shell's own call cannot).
TEST_F(MovedDocumentsTest, PathLongerThan260Characters) {
    std::wstring documents = Paths().root;
    while (documents.size() < 240)
        documents += L"\\deep-folder-name";
    const std::wstring configDir = ConfigDirOf(documents);
    ASSERT_GT((configDir + L"\\User.ini").size(), 260u);
    // The next test's clean-up may not reach this deep; this one removes its own tree.
    struct RemoveAtEnd {
        std::wstring tree;
        ~RemoveAtEnd() { RemoveTree(tree); }
    } removeAtEnd{L"\\\\?\\" + Paths().root + L"\\deep-folder-name"};
    ASSERT_TRUE(CreateLongFolders(configDir));
    ASSERT_TRUE(WriteFileBytes(L"\\\\?\\" + configDir + L"\\User.ini", FormatIniBytes(kBefore)));
    ASSERT_TRUE(UseDocuments(documents));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboSelection(ids::kKeyboardList), 2) << "User.ini was not read";
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadFileBytes(L"\\\\?\\" + configDir + L"\\User.ini"),
              ExpectedSave(Paths(), kBefore));

    // Without the game's folder OK creates it, deep as it is.
    ASSERT_TRUE(RemoveTree(L"\\\\?\\" + documents + L"\\Kestrand 2"));
    auto again = Launch();
    ASSERT_TRUE(again);
    ASSERT_TRUE(again->PostClick(ids::kOk));
    const HWND window = again->Handle();
    const DWORD pid = again->Pid();
    ASSERT_TRUE(PollFor([&] { return !IsWindow(window) || FindMessageBox(pid, window); }, 10000));
    if (IsWindow(window)) {
        ADD_FAILURE() << "the deep configuration folder was not created";
        ASSERT_TRUE(AnswerSaveWarning(*again, Paths().LangDir()));
        ASSERT_TRUE(PressAndWaitForExit(*again, ids::kCancel));
        return;
    }
    EXPECT_EQ(WaitForExit(), kNormalExitStatus);
    EXPECT_EQ(ReadFileBytes(L"\\\\?\\" + configDir + L"\\User.ini"), ExpectedSave(Paths(), {}));
}

// The documents folder on a disk of a few pages (a tmpfs, reached through drive Z:): when
// the new file does not fit, the player is warned and the old one stays; once there is room a
// second OK saves.
TEST_F(MovedDocumentsTest, FullDisk) {
    const TinyDisk disk(64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "no full disk here: " << disk.Failure();
    const std::wstring documents = disk.Root() + L"\\Documents";
    const std::wstring configDir = ConfigDirOf(documents);
    ASSERT_TRUE(CreateFolders(configDir));
    const std::string before = FormatIniBytes(kBefore);
    ASSERT_TRUE(WriteFileBytes(configDir + L"\\User.ini", before));
    // Leaves less room than one more copy of the user file needs.
    std::string filler(60 * 1024, 'f');
    while (!filler.empty() && !WriteFileBytes(disk.Root() + L"\\filler", filler))
        filler.resize(filler.size() - 1024);
    ASSERT_FALSE(filler.empty());
    ASSERT_TRUE(UseDocuments(documents));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    OkFailsVisibly(*dialog, documents);
    EXPECT_EQ(ReadFileBytes(configDir + L"\\User.ini"), before);
    ASSERT_TRUE(DeleteFileW((disk.Root() + L"\\filler").c_str()));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadFileBytes(configDir + L"\\User.ini"), ExpectedSave(Paths(), kBefore));
}

// User.ini held open without sharing while the program starts, so it cannot be read, and let
// go before OK: the save must not silently replace the player's settings with the defaults;
// the file as it is then is kept as User.ini.bak.
TEST_F(FileSystemFaultTest, UserFileUnreadableAtStart) {
    const std::string original = FormatIniBytes(kBefore) + "[Player]\r\nName=Kept\r\n\r\n";
    WriteUserIni(original);
    HANDLE lock = CreateFileW(Paths().UserIni().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    auto dialog = Launch();
    CloseHandle(lock);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ComboSelection(ids::kKeyboardList), 0) << "the locked file was read";
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadFileBytes(Paths().UserIni() + L".bak"), original) << "the settings were lost";
    EXPECT_EQ(UserIniBytes(), ExpectedSave(Paths(), {}));
}
