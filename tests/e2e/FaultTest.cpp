// Damaged, huge, locked and unreachable files under the real program. It starts without a
// message; OK saves the player's file whole, keeping a file it could not read whole as
// User.ini.bak; a save that fails warns the player, changes nothing and leaves the window open;
// the installation is never touched.

#include "Fixture.h"

#include <functional>

namespace {

const std::string kGoodStart =
    "\xEF\xBB\xBF[Engine]\r\nPerformancePlatform=2\r\n\r\n[Input]\r\nKeyboardLayout=AZERTY\r\n\r\n";
const std::string kNotReadWhole = kGoodStart + "[Key Bindings]\r\nA=1\r\n";

std::string Utf16Le(std::wstring_view text, bool bigEndian = false) {
    std::string bytes;
    for (const wchar_t unit : text) {
        bytes += static_cast<char>(bigEndian ? unit >> 8 : unit & 0xFF);
        bytes += static_cast<char>(bigEndian ? unit & 0xFF : unit >> 8);
    }
    return bytes;
}

struct BadUserFile {
    const char* name;
    std::string bytes;
    bool backup; // not read whole: kept as User.ini.bak
    bool readOnly = false;
};

const BadUserFile kBadUserFiles[] = {
    {"GoodStart", kGoodStart, false},
    {"Utf16BigEndian", "\xFE\xFF" + Utf16Le(L"[Engine]\r\nPerformancePlatform=3\r\n", true), true},
    // Text past a NUL would be lost by the next save.
    {"NulInTheMiddle", kGoodStart + std::string(1, '\0') + "[Viewport]\r\nWidth=800\r\n", true},
    {"HeaderWithASpace", kNotReadWhole, true},
    {"ReadOnlyAndNotReadWhole", kGoodStart + "[]\r\nA=1\r\n", true, true},
    // Every value the window reads, out of every range: huge and negative numbers, text where
    // numbers belong, 100 000 characters, bytes that are no UTF-8, in custom mode.
    {"ValuesOutOfEveryRange",
     "[Engine]\r\nPerformancePlatform=99999999999999999999\r\nCustomRenderingSettings=1\r\n"
     "[Viewport]\r\nWidth=-2147483649\r\nHeight=1e9\r\n[Input]\r\nKeyboardLayout=\xFF\xFE\r\n"
     "[Rendering]\r\nFullscreen=" +
         std::string(100000, '1') +
         "\r\n_ShadowQuality=-7\r\n"
         "_ShadowedLights=+9x\r\nTextureMemoryBudget=" +
         std::string(100000, '9') + "\xC0\r\n",
     false},
};

class BadUserFileTest : public ConfiguratorTest,
                        public ::testing::WithParamInterface<BadUserFile> {};

} // namespace

TEST_P(BadUserFileTest, OkSavesTheWholeFile) {
    const BadUserFile& c = GetParam();
    WriteUserIni(c.bytes);
    if (c.readOnly) {
        ASSERT_TRUE(SetFileAttributesW(P().UserIni().c_str(), FILE_ATTRIBUTE_READONLY));
    }
    const auto installation = SnapshotFolder(P().install);
    auto window = Launch();
    ASSERT_TRUE(window);
    ASSERT_TRUE(PressAndWaitForExit(*window, IDOK));
    ExpectUserIniGolden(std::string("player-") + c.name + ".ini");
    EXPECT_FALSE(GetFileAttributesW(P().UserIni().c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadFileBytes(P().UserIni() + L".bak"),
              c.backup ? std::optional<std::string>(c.bytes) : std::nullopt);
    EXPECT_TRUE(SnapshotFolder(P().install) == installation) << "the installation changed";
}

INSTANTIATE_TEST_SUITE_P(Shapes, BadUserFileTest, ::testing::ValuesIn(kBadUserFiles), CaseName);

// 30 MB of the player's own section are kept and written back with OK's changes. Killed while
// it saves, User.ini holds either the old or the new text, and the next OK saves normally.
TEST_F(ConfiguratorTest, HugeFileKilledWhileSaving) {
    std::string section = "[Bindings]\r\n";
    while (section.size() < (30u << 20))
        section += "Key=" + std::string(90, 'v') + "\r\n";
    section += "\r\n";
    WriteUserIni(kGoodStart + section);
    auto window = Launch();
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->PostClick(IDOK));
    PollFor([&] { return FileExists(P().UserIni() + L".tmp"); });
    KillProgram();
    const auto golden = ReadFileBytes(UnixToWinePath(GOLDEN_DIR "/player-GoodStart.ini"));
    ASSERT_TRUE(golden);
    const std::string expected = golden->substr(0, 3) + section + golden->substr(3);
    const auto afterKill = UserIni();
    EXPECT_TRUE(afterKill == kGoodStart + section || afterKill == expected);
    window = Launch();
    ASSERT_TRUE(window);
    ASSERT_TRUE(PressAndWaitForExit(*window, IDOK));
    EXPECT_TRUE(UserIni() == expected) << "User.ini is not the expected text";
    EXPECT_EQ(SnapshotFolder(P().Config()).size(), 1u) << "a stale file was left";
}

namespace {

struct BadInstallFile {
    const char* name;
    const wchar_t* file; // below the installation folder
    const char* bytes;   // null: removed; "<folder>": a folder in its place
    const char* caption; // the window's caption
};

const wchar_t kEnglish[] = L"\\bin\\config\\lang\\EN.ini";
const wchar_t kHigh[] = L"\\bin\\config\\profiles\\PCHigh.ini";

const BadInstallFile kBadInstallFiles[] = {
    {"LanguageFileMissing", kEnglish, nullptr, "Configurator"},
    {"LanguageFileIsAFolder", kEnglish, "<folder>", "Configurator"},
    {"ProfileMissing", kHigh, nullptr, "Kestrand 2 Setup"},
    {"ProfileWithOddValues", kHigh,
     "[Rendering]\r\nTextureMemoryBudget=-99999999999999\r\nMaxTextureSize=\xFF\xFE\r\n"
     "ShadowQuality=9\r\nAllowBloom=yes\r\n",
     "Kestrand 2 Setup"},
};

class BadInstallFileTest : public ConfiguratorTest,
                           public ::testing::WithParamInterface<BadInstallFile> {};

} // namespace

// A language or profile file that is missing or damaged: the window shows (keys stand in for
// missing texts), HIGH is chosen, and OK saves what could be read; the installation stays.
TEST_P(BadInstallFileTest, StartsAndSaves) {
    const BadInstallFile& c = GetParam();
    const std::wstring path = P().install + c.file;
    ASSERT_TRUE(RemoveTree(path));
    if (c.bytes) {
        ASSERT_TRUE(c.bytes == std::string("<folder>") ? CreateFolders(path)
                                                       : WriteFileBytes(path, c.bytes));
    }
    const auto installation = SnapshotFolder(P().install);
    auto window = Launch();
    ASSERT_TRUE(window);
    EXPECT_EQ(Utf8(window->Caption()), c.caption);
    ASSERT_TRUE(window->Choose(IDC_PRESET_COMBO, 2));
    ASSERT_TRUE(PressAndWaitForExit(*window, IDOK));
    ExpectUserIniGolden(std::string(c.file == kHigh ? c.name : "high") + "-User.ini");
    EXPECT_TRUE(SnapshotFolder(P().install) == installation) << "the installation changed";
}

INSTANTIATE_TEST_SUITE_P(Files, BadInstallFileTest, ::testing::ValuesIn(kBadInstallFiles),
                         CaseName);

namespace {

const std::string kBefore =
    "\xEF\xBB\xBF[Engine]\r\nPerformancePlatform=3\r\n\r\n[Input]\r\nKeyboardLayout=QWERTZ\r\n\r\n";

struct BlockedSave {
    const char* name;
    std::string original;   // User.ini before, when there is one
    const wchar_t* blocked; // a folder made below the game's folder; "": the game's folder is a
                            // file; null: User.ini is held open without delete sharing
    const char* golden;     // User.ini after a second OK once the cause is gone; null: it stays
};

const BlockedSave kBlockedSaves[] = {
    {"LockedUserFile", kBefore, nullptr, "before-User.ini"},
    {"UserFileIsAFolder", "", L"\\config\\User.ini", nullptr},
    {"TemporaryNameTakenByAFolder", kBefore, L"\\config\\User.ini.tmp", nullptr},
    // The backup that a file not read whole needs.
    {"BackupNameTakenByAFolder", kNotReadWhole, L"\\config\\User.ini.bak",
     "player-HeaderWithASpace.ini"},
    {"GameFolderNameTakenByAFile", "", L"", nullptr},
};

class BlockedSaveTest : public ConfiguratorTest,
                        public ::testing::WithParamInterface<BlockedSave> {};

} // namespace

// A failed OK warns, keeps the window open and leaves the files exactly as they were; once the
// cause is gone a second OK saves (with the backup of a file not read whole), else Cancel.
TEST_P(BlockedSaveTest, OkWarnsAndChangesNothing) {
    const BlockedSave& c = GetParam();
    if (!c.original.empty())
        WriteUserIni(c.original);
    const std::wstring path = P().Game() + (c.blocked ? c.blocked : L"");
    const HANDLE lock = c.blocked ? INVALID_HANDLE_VALUE
                                  : CreateFileW(P().UserIni().c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                OPEN_EXISTING, 0, nullptr);
    if (c.blocked) {
        ASSERT_TRUE(*c.blocked ? CreateFolders(path)
                               : RemoveTree(path) && WriteFileBytes(path, "not a folder"));
    }
    auto window = Launch();
    ASSERT_TRUE(window);
    const auto files = SnapshotFolder(P().documents);
    ASSERT_TRUE(window->PostClick(IDOK));
    AnswerSaveWarning(*window);
    EXPECT_TRUE(window->IsOpen()) << "the window closed after a failed save";
    EXPECT_EQ(SnapshotFolder(P().documents), files) << "a failed save changed the files";
    if (!c.golden)
        return (void)PressAndWaitForExit(*window, IDCANCEL);
    CloseHandle(lock);
    ASSERT_TRUE(!c.blocked || RemoveTree(path));
    ASSERT_TRUE(PressAndWaitForExit(*window, IDOK));
    ExpectUserIniGolden(c.golden);
    EXPECT_EQ(ReadFileBytes(P().UserIni() + L".bak"),
              c.original == kNotReadWhole ? std::optional(c.original) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Causes, BlockedSaveTest, ::testing::ValuesIn(kBlockedSaves), CaseName);

// User.ini held open without sharing while the program starts, so it cannot be read, and let
// go before OK: the save must not silently replace the player's settings with the defaults;
// the file as it is then is kept as User.ini.bak.
TEST_F(ConfiguratorTest, UserFileUnreadableAtStart) {
    WriteUserIni(kBefore);
    const HANDLE lock = CreateFileW(P().UserIni().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    auto window = Launch();
    CloseHandle(lock);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Selection(IDC_KEYBOARD_COMBO), kQwerty) << "the locked file was read";
    ASSERT_TRUE(PressAndWaitForExit(*window, IDOK));
    EXPECT_EQ(ReadFileBytes(P().UserIni() + L".bak"), kBefore) << "the settings were lost";
    ExpectUserIniGolden("ok-at-start-User.ini");
}

// Documents below a path with Latin-1, CJK and astral characters, and deep enough that
// User.ini's path passes 260 characters: read from and written to the right place; without
// the game's folder OK makes it, which the shell's own call cannot when it is that deep.
TEST_F(ConfiguratorTest, UnusualDocumentsFolders) {
    std::wstring deep = P().root;
    while (deep.size() < 240)
        deep += L"\\deep-folder-name";
    for (const std::wstring& documents :
         {P().root + L"\\Dokumente \u00C5sa \u65E5\u672C \U0001F600", deep}) {
        const std::wstring game = documents + L"\\Kestrand 2";
        ASSERT_TRUE(CreateFolders(game + L"\\config"));
        ASSERT_TRUE(WriteFileBytes(game + L"\\config\\User.ini", kBefore));
        ASSERT_TRUE(SetDocumentsFolder(documents)) << "the shell does not follow";
        for (const char* golden : {"before-User.ini", "ok-at-start-User.ini"}) {
            auto window = Launch();
            ASSERT_TRUE(window);
            ASSERT_TRUE(PressAndWaitForExit(*window, IDOK));
            ExpectGolden(golden, ReadFileBytes(game + L"\\config\\User.ini").value_or("none"));
            ASSERT_TRUE(RemoveTree(game));
        }
    }
    ASSERT_TRUE(RemoveTree(P().root + L"\\deep-folder-name"));
}

// The input editor over damaged bindings and a damaged layout mapping: it opens; its OK
// rewrites the layout's section from the one binding that parses, every other section comes
// back as it was read, and the mapping, not read whole, is kept as a backup. What the editor
// saved stays saved when the main window is cancelled.
TEST_F(EditorTest, OverDamagedFiles) {
    std::string bindings;
    for (const char* value :
         {"(", "(((", "(GameKey=\"GI_Block\",Value=1", "(GameKey=\"GI_Block,Value=1)",
          "(GameKey=GI_Block,Value=1e9)", "(GameKey=GI_Block,Value=nan)", "(GameKey=,Value=1)",
          "\xFF\xFE(GameKey=GI_Block,Value=1)"})
        bindings += std::string("IK_E=") + value + "\r\n";
    bindings += "IK_F=(GameKey=GI_Block,Value=" + std::string(100000, '1') + ")\r\n";
    bindings += "IK_NoSuchKey=(GameKey=\"GI_UseItem\",Value=1)\r\n";
    bindings += "IK_G=(GameKey=\"GI_Block\",Value=1)\r\n";
    WriteUserIni(kGoodStart + "[InputAZERTY]\r\n" + bindings +
                 "[InputQWERTY]\r\nIK_E=(((\r\n[Other]\r\nkeep=1\r\n");
    const std::string mapping = "\xEF\xBB\xBF[InputAZERTY]\r\nDIK_Q=IK_A\r\nDIK_NOPE=IK_B\r\n"
                                "DIK_W=IK_NOPE\r\n[Two words]\r\nDIK_A=IK_Q\r\n";
    const std::wstring mappingPath = P().Config() + L"\\DIMapping.ini";
    ASSERT_TRUE(WriteFileBytes(mappingPath, mapping));
    ASSERT_TRUE(OpenEditor(kAzerty));
    ASSERT_TRUE(CloseEditor(IDOK));
    ExpectUserIniGolden("damaged-bindings-User.ini");
    ExpectGolden("damaged-DIMapping.ini", ReadFileBytes(mappingPath).value_or("none"));
    EXPECT_EQ(ReadFileBytes(mappingPath + L".bak"), mapping);
    EXPECT_FALSE(FileExists(P().UserIni() + L".bak"));
    const auto files = SnapshotFolder(P().Game());
    FinishProgram();
    EXPECT_EQ(SnapshotFolder(P().Game()), files);
}

// A read-only DIMapping.ini, which the program only reads, stays as the player left it, and
// neither OK fails on it.
TEST_F(EditorTest, ReadOnlyLayoutMappingIsLeftAlone) {
    const std::wstring mappingPath = P().Config() + L"\\DIMapping.ini";
    ASSERT_TRUE(WriteFileBytes(mappingPath, "[InputAZERTY]\r\nDIK_Q=IK_A\r\n"));
    ASSERT_TRUE(SetFileAttributesW(mappingPath.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(OpenEditor(kAzerty));
    ASSERT_TRUE(CloseEditor(IDOK));
    ASSERT_TRUE(PressAndWaitForExit(Main(), IDOK));
    EXPECT_EQ(ReadFileBytes(mappingPath), "[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
    EXPECT_TRUE(GetFileAttributesW(mappingPath.c_str()) & FILE_ATTRIBUTE_READONLY);
    ExpectUserIniGolden("editor-AZERTY-main-ok-User.ini");
}

// User.ini held by another program when the editor's OK saves: the main window's warning, and
// the editor stays open until Cancel; the bindings stay in memory, so the main window's OK
// saves them once the file is free.
TEST_F(EditorTest, OkWarnsWhenTheBindingsCannotBeSaved) {
    WriteUserIni("[Input]\r\nKeyboardLayout=QWERTY\r\n");
    ASSERT_TRUE(OpenEditor(kQwerty));
    const HANDLE lock =
        CreateFileW(P().UserIni().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_TRUE(Ed().ClickButton(IDOK));
    AnswerSaveWarning(Ed());
    CloseHandle(lock);
    Window::Send(Ed().Handle(), WM_NULL); // answered once OK has been handled
    EXPECT_TRUE(Ed().IsOpen());
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    EXPECT_EQ(UserIni(), "[Input]\r\nKeyboardLayout=QWERTY\r\n");
    ASSERT_TRUE(PressAndWaitForExit(Main(), IDOK));
    ExpectUserIniGolden("editor-QWERTY-main-ok-User.ini");
}
