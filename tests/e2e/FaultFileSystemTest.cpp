// The file system refusing a save: a target that cannot be replaced, a backup or temporary
// name taken by a folder, no room, unusual and long documents paths. The old file stays as it
// was, the player is warned and the window stays open; once the cause is gone OK saves.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "FaultSupport.h"
#include "Files.h"
#include "GameData.h"

#include "config/FaultInputs.h"

#include <functional>
#include <string>

namespace {

const IniModel kBefore = {{"Engine", {{"PerformancePlatform", {"3"}}}},
                          {"Input", {{"KeyboardLayout", {"QWERTZ"}}}}};

// What stops the save; the returned function takes the cause away again (empty: it stays).
using Block = std::function<std::function<void()>(const Installation&)>;

struct BlockedSaveCase {
    const char* name;
    std::string original; // User.ini before, when there is one
    Block block;
};

const std::string kNotReadWhole = fault::GoodStart() + "[Key Bindings]\r\nA=1\r\n";

const BlockedSaveCase kBlockedSaves[] = {
    // Held open by another program without delete sharing: it cannot be replaced.
    {"LockedUserFile", FormatIniBytes(kBefore),
     [](const Installation& paths) -> std::function<void()> {
         const HANDLE lock =
             CreateFileW(paths.UserIni().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
         EXPECT_NE(lock, INVALID_HANDLE_VALUE);
         return [lock] { CloseHandle(lock); };
     }},
    {"UserFileIsAFolder", "",
     [](const Installation& paths) -> std::function<void()> {
         CreateFolders(paths.UserIni());
         return {};
     }},
    {"TemporaryNameTakenByAFolder", FormatIniBytes(kBefore),
     [](const Installation& paths) -> std::function<void()> {
         CreateFolders(paths.UserIni() + L".tmp");
         return {};
     }},
    // The backup that a file not read whole needs.
    {"BackupNameTakenByAFolder", kNotReadWhole,
     [](const Installation& paths) -> std::function<void()> {
         CreateFolders(paths.UserIni() + L".bak");
         return [paths] { RemoveTree(paths.UserIni() + L".bak"); };
     }},
    // A file where the game's folder should be: the folder cannot be made.
    {"GameFolderNameTakenByAFile", "",
     [](const Installation& paths) -> std::function<void()> {
         RemoveTree(paths.GameDocuments());
         WriteFileBytes(paths.GameDocuments(), "not a folder");
         return {};
     }},
};

class BlockedSaveTest : public ConfiguratorTest,
                        public ::testing::WithParamInterface<BlockedSaveCase> {};

} // namespace

// A failed OK warns the player, keeps the window open and leaves the player's folder exactly
// as it was; once the cause is gone a second OK saves (with the backup of a file not read
// whole), else Cancel ends the program.
TEST_P(BlockedSaveTest, OkWarnsAndChangesNothing) {
    const BlockedSaveCase& c = GetParam();
    if (!c.original.empty())
        WriteUserIni(c.original);
    const auto unblock = c.block(Paths());
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const auto files = SnapshotFolder(Paths().documents);
    ASSERT_TRUE(dialog->PostClick(ids::kOk));
    AnswerSaveWarning(*dialog);
    EXPECT_TRUE(dialog->IsOpen()) << "the window closed after a failed save";
    EXPECT_EQ(SnapshotFolder(Paths().documents), files) << "a failed save changed the files";
    if (!unblock) {
        ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
        EXPECT_EQ(SnapshotFolder(Paths().documents), files);
        return;
    }
    unblock();
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    ExpectUserIni(ExpectedAfterOk(c.original, ProfileFiles(Paths().ProfilesDir())));
    const auto backup = ReadFileBytes(Paths().UserIni() + L".bak");
    if (TakenWhole(c.original))
        EXPECT_FALSE(backup);
    else
        EXPECT_EQ(backup, c.original);
}

INSTANTIATE_TEST_SUITE_P(Causes, BlockedSaveTest, ::testing::ValuesIn(kBlockedSaves), CaseName);

// User.ini held open without sharing while the program starts, so it cannot be read, and let
// go before OK: the save must not silently replace the player's settings with the defaults;
// the file as it is then is kept as User.ini.bak.
TEST_F(ConfiguratorTest, UserFileUnreadableAtStart) {
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
    ExpectUserIni(ExpectedOkBytes({}));
}

// Documents below a path with Latin-1, CJK and astral characters, and documents deep enough
// that User.ini's path passes 260 characters: the file is read from and written to the right
// place, and without the game's folder OK makes it, which the shell's own call cannot when
// it is that deep.
TEST_F(ConfiguratorTest, UnusualDocumentsFolders) {
    std::wstring deep = Paths().root;
    while (deep.size() < 240)
        deep += L"\\deep-folder-name";
    // The next test's clean-up may not reach this deep; this one removes its own tree.
    struct RemoveAtEnd {
        std::wstring tree;
        ~RemoveAtEnd() { RemoveTree(tree); }
    } removeAtEnd{L"\\\\?\\" + Paths().root + L"\\deep-folder-name"};

    for (const std::wstring& documents :
         {Paths().root + L"\\Dokumente \u00C5sa \u65E5\u672C \U0001F600", deep}) {
        SCOPED_TRACE(documents.size());
        const std::wstring userIni = L"\\\\?\\" + documents + L"\\Kestrand 2\\config\\User.ini";
        ASSERT_TRUE(CreateLongFolders(documents + L"\\Kestrand 2\\config"));
        ASSERT_TRUE(WriteFileBytes(userIni, FormatIniBytes(kBefore)));
        ASSERT_TRUE(SetDocumentsFolder(documents)) << "the shell does not follow";

        auto dialog = Launch();
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->ComboSelection(ids::kKeyboardList), 2) << "User.ini was not read";
        ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
        EXPECT_EQ(ReadFileBytes(userIni), ExpectedOkBytes(kBefore));

        ASSERT_TRUE(RemoveTree(L"\\\\?\\" + documents + L"\\Kestrand 2"));
        auto again = Launch();
        ASSERT_TRUE(again);
        ASSERT_TRUE(PressAndWaitForExit(*again, ids::kOk)) << "the folder was not created";
        EXPECT_EQ(ReadFileBytes(userIni), ExpectedOkBytes({}));
    }
}

// The documents folder on a disk of a few pages (a tmpfs, reached through drive Z:): when
// the new file does not fit, the player is warned and the old one stays; once there is room a
// second OK saves.
TEST_F(ConfiguratorTest, FullDisk) {
    const TinyDisk disk(64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "no full disk here: " << disk.Failure();
    const std::wstring documents = disk.Root() + L"\\Documents";
    const std::wstring userIni = documents + L"\\Kestrand 2\\config\\User.ini";
    ASSERT_TRUE(CreateFolders(documents + L"\\Kestrand 2\\config"));
    const std::string before = FormatIniBytes(kBefore);
    ASSERT_TRUE(WriteFileBytes(userIni, before));
    // Leaves less room than one more copy of the user file needs.
    std::string filler(60 * 1024, 'f');
    while (!filler.empty() && !WriteFileBytes(disk.Root() + L"\\filler", filler))
        filler.resize(filler.size() - 1024);
    ASSERT_FALSE(filler.empty());
    ASSERT_TRUE(SetDocumentsFolder(documents)) << "the shell does not follow";

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const auto files = SnapshotFolder(documents);
    ASSERT_TRUE(dialog->PostClick(ids::kOk));
    AnswerSaveWarning(*dialog);
    EXPECT_TRUE(dialog->IsOpen()) << "the window closed after a failed save";
    EXPECT_EQ(SnapshotFolder(documents), files) << "a failed save changed the files";
    ASSERT_TRUE(DeleteFileW((disk.Root() + L"\\filler").c_str()));
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    EXPECT_EQ(ReadFileBytes(userIni), ExpectedOkBytes(kBefore));
}
