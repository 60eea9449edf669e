// Damaged, huge, locked and unreachable files; the program never touches the installation.

#include "Fixture.h"

namespace {

const std::string kGoodStart =
    "\xEF\xBB\xBF[Engine]\r\nPerformancePlatform=2\r\n\r\n[Input]\r\nKeyboardLayout=AZERTY\r\n\r\n";
const std::string kNotReadWhole = kGoodStart + "[Key Bindings]\r\nA=1\r\n";

// kOwnBackup: beside the player's own User.ini.bak, damaged and saved twice.
enum Obstacle { kNone, kReadOnly, kHidden, kHeldAtStart, kOwnBackup };

struct BadUserFile {
    const char* name;
    std::string bytes;
    bool backup; // not read whole: kept as a backup
    Obstacle obstacle = kNone;
    std::string golden = std::string("player-") + name + ".ini";
};

const BadUserFile kBadUserFiles[] = {
    {"GoodStart", kGoodStart, false},
    // Text past a NUL would be lost by the next save.
    {"NulInTheMiddle", kGoodStart + std::string(1, '\0') + "[Viewport]\r\nWidth=800\r\n", true},
    {"ReadOnlyAndNotReadWhole", kGoodStart + "[]\r\nA=1\r\n", true, kReadOnly},
    // Unreadable at start but free at OK: the save must not replace the file with defaults.
    {"UnreadableAtStart", kGoodStart, true, kHeldAtStart},
    {"Hidden", kGoodStart, false, kHidden, "player-GoodStart.ini"},
    {"NotReadWholeTwiceBesideOwnBackup", kNotReadWhole, true, kOwnBackup, "player-GoodStart.ini"},
};

class BadUserFileTest : public ConfiguratorTest,
                        public ::testing::WithParamInterface<BadUserFile> {};

const std::string kBefore =
    "\xEF\xBB\xBF[Engine]\r\nPerformancePlatform=3\r\n\r\n[Input]\r\nKeyboardLayout=QWERTZ\r\n\r\n";

struct BlockedSave {
    const char* name;
    std::string original;   // User.ini before, when there is one
    const wchar_t* blocked; // a folder below the game's; "": that is a file; null: User.ini held
    const char* golden;     // User.ini after a second OK once the cause is gone; null: it stays
    bool fullDisk = false;  // blocked is a file that fills the small disk the documents are on
};

const BlockedSave kBlockedSaves[] = {
    {"LockedUserFile", kBefore, nullptr, "before-User.ini"},
    {"UserFileIsAFolder", "", L"\\config\\User.ini", nullptr},
    {"TemporaryNameTakenByAFolder", kBefore, L"\\config\\User.ini.tmp", nullptr},
    {"GameFolderNameTakenByAFile", "", L"", nullptr},
    // No room even for the backup that a file not read whole needs.
    {"FullDisk", kNotReadWhole, L"\\filler", "player-GoodStart.ini", true},
};

class BlockedSaveTest : public ConfiguratorTest,
                        public ::testing::WithParamInterface<BlockedSave> {};

} // namespace

// OK saves the whole file with its attributes (but read-only), backing up one not read whole.
TEST_P(BadUserFileTest, OkSavesTheWholeFile) {
    const BadUserFile& c = GetParam();
    WriteUserIni(c.bytes);
    const DWORD attributes = c.obstacle == kReadOnly ? FILE_ATTRIBUTE_READONLY
                             : c.obstacle == kHidden ? FILE_ATTRIBUTE_HIDDEN
                                                     : FILE_ATTRIBUTE_NORMAL;
    ASSERT_TRUE(SetFileAttributesW(P().UserIni().c_str(), attributes));
    const std::string own = "the player's own backup";
    ASSERT_TRUE(c.obstacle != kOwnBackup || WriteFileBytes(P().UserIni() + L".bak", own));
    const HANDLE held = c.obstacle == kHeldAtStart ? HoldUserIni(0) : INVALID_HANDLE_VALUE;
    const auto installation = SnapshotFolder(P().install);
    for (int save = 0; save < (c.obstacle == kOwnBackup ? 2 : 1); ++save) {
        if (save)
            WriteUserIni(c.bytes);
        const bool launched = Launch();
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        ASSERT_TRUE(launched);
        ASSERT_TRUE(PressAndWaitForExit(IDOK));
    }
    ExpectUserIniGolden(c.golden);
    // Read-only is cleared; anything else stays as the player set it.
    EXPECT_EQ(GetFileAttributesW(P().UserIni().c_str()) &
                  (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              attributes & FILE_ATTRIBUTE_HIDDEN);
    const auto expect = [&](bool is) { return is ? std::optional(c.bytes) : std::nullopt; };
    EXPECT_EQ(ReadFileBytes(P().UserIni() + L".bak"),
              c.obstacle == kOwnBackup ? std::optional(own) : expect(c.backup));
    EXPECT_EQ(ReadFileBytes(P().UserIni() + L".2.bak"), expect(c.obstacle == kOwnBackup));
    EXPECT_EQ(ReadFileBytes(P().UserIni() + L".3.bak"), expect(c.obstacle == kOwnBackup));
    EXPECT_TRUE(SnapshotFolder(P().install) == installation) << "the installation changed";
}

INSTANTIATE_TEST_SUITE_P(Shapes, BadUserFileTest, ::testing::ValuesIn(kBadUserFiles), CaseName);

// 30 MB of the player's own text survive OK; killed mid-save, User.ini is old or new, never torn.
TEST_F(ConfiguratorTest, HugeFileKilledWhileSaving) {
    std::string section = "[Bindings]\r\n";
    while (section.size() < (30u << 20))
        section += "Key=" + std::string(90, 'v') + "\r\n";
    section += "\r\n";
    // The kill must follow the sight of the temporary file; a save that ended first is tried again.
    bool seen = false;
    for (int attempt = 0; attempt < 5 && !seen; ++attempt) {
        WriteUserIni(kGoodStart + section);
        ASSERT_TRUE(Launch());
        ASSERT_TRUE(Main().PostClick(IDOK));
        seen = PollFor([&] { return FileExists(P().UserIni() + L".tmp") || WaitForExit(0); }) &&
               FileExists(P().UserIni() + L".tmp");
        KillProgram();
    }
    ASSERT_TRUE(seen) << "the program was never killed while it saved";
    const auto golden = ReadFileBytes(TestFile("golden/player-GoodStart.ini"));
    ASSERT_TRUE(golden);
    const std::string expected = golden->substr(0, 3) + section + golden->substr(3);
    const auto afterKill = UserIni();
    EXPECT_TRUE(afterKill == kGoodStart + section || afterKill == expected);
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(PressAndWaitForExit(IDOK));
    EXPECT_TRUE(UserIni() == expected) << "User.ini is not the expected text";
    EXPECT_EQ(SnapshotFolder(P().Config()).size(), 1u) << "a stale file was left";
}

// Damaged profiles and player values out of range or 100 000 characters long: each preset takes
// what its profile gives (else a row's first entry) and OK saves values of the game's form.
TEST_F(ConfiguratorTest, DamagedProfilesAndOddPlayerValues) {
    const std::pair<const char*, const char*> profiles[] = {
        {"PCLow", "damaged-PCLow"}, {"PCMedium", "damaged-PCMedium"}, {"PCHigh", "odd-PCHigh"}};
    for (const auto& [profile, input] : profiles)
        ASSERT_TRUE(WriteFileBytes(P().Profiles() + L"\\" + Wide(profile) + L".ini",
                                   Input(std::string(input) + ".ini")));
    ASSERT_TRUE(RemoveTree(P().Profiles() + L"\\PCUber.ini") &&
                CreateFolders(P().Profiles() + L"\\PCUber.ini"));
    const std::string nines(100000, '9'), letters(100000, 'A');
    WriteUserIni("[Engine]\r\nPerformancePlatform=" + nines + "\r\nCustomRenderingSettings=-1" +
                 "\r\n[Viewport]\r\nWidth=" + nines + "\r\nHeight=-600\r\n[Rendering]" +
                 "\r\nFullscreen=2\r\nTextureDownscale=" + nines + "\r\nShadowQuality=-3" +
                 "\r\nAllowBloom=" + letters + "\r\n[Input]\r\nKeyboardLayout=" + letters + "\r\n");
    const auto installation = SnapshotFolder(P().install);
    ASSERT_TRUE(Launch());
    std::string rows;
    for (const int level : {3, 0, 1, 2}) {
        ASSERT_TRUE(Main().Choose(IDC_PRESET_COMBO, level));
        rows += std::to_string(level) + ": " + Main().Rows() + "\n";
    }
    ExpectGolden("odd-profiles-rows.txt", rows);
    ExpectOkSaves("odd-values-User.ini");
    EXPECT_TRUE(SnapshotFolder(P().install) == installation) << "the installation changed";
}

// Without HIGH's profile HIGH can still be chosen, and OK saves what could be read.
TEST_F(ConfiguratorTest, ProfileMissing) {
    ASSERT_TRUE(RemoveTree(P().Profiles() + L"\\PCHigh.ini"));
    const auto installation = SnapshotFolder(P().install);
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(Main().Choose(IDC_PRESET_COMBO, 2));
    ExpectOkSaves("ProfileMissing-User.ini");
    EXPECT_TRUE(SnapshotFolder(P().install) == installation) << "the installation changed";
}

// A failed OK warns, keeps the window open and changes no file and no registry value (one the
// player had, one he had not); once the cause is gone a second OK saves, else Cancel.
TEST_P(BlockedSaveTest, OkWarnsAndChangesNothing) {
    const BlockedSave& c = GetParam();
    const char* disk = std::getenv("E2E_SMALL_DISK");
    if (c.fullDisk && !disk)
        GTEST_SKIP() << "no small file system to fill: mounting one is not allowed here";
    ASSERT_TRUE(!c.fullDisk || MoveDocuments(UnixToWinePath(disk) + L"\\documents"));
    if (!c.original.empty())
        WriteUserIni(c.original);
    const std::wstring path = P().Game() + (c.blocked ? c.blocked : L"");
    const HANDLE lock = c.blocked ? INVALID_HANDLE_VALUE : HoldUserIni();
    if (c.fullDisk) {
        WriteFileBytes(path, std::string(1 << 20, 'f')); // as much as fits
    } else if (c.blocked) {
        ASSERT_TRUE(*c.blocked ? CreateFolders(path)
                               : RemoveTree(path) && WriteFileBytes(path, "not a folder"));
    }
    ASSERT_TRUE(SetGameString(Hive::Player, L"Speech", L"DE"));
    const auto registry = GameKeyValues(Hive::Player);
    ASSERT_TRUE(Launch());
    ASSERT_TRUE(Main().ChooseText(IDC_VOICE_COMBO, L"EN"));
    const auto files = SnapshotFolder(P().documents);
    ASSERT_TRUE(Main().PostClick(IDOK));
    AnswerSaveWarning(Main());
    EXPECT_TRUE(Main().IsOpen()) << "the window closed after a failed save";
    EXPECT_EQ(SnapshotFolder(P().documents), files) << "a failed save changed the files";
    EXPECT_EQ(GameKeyValues(Hive::Player), registry) << "a failed save changed the registry";
    if (!c.golden) {
        ASSERT_TRUE(PressAndWaitForExit(IDCANCEL));
        EXPECT_EQ(GameKeyValues(Hive::Player), registry);
        return;
    }
    CloseHandle(lock);
    ASSERT_TRUE(!c.blocked || RemoveTree(path));
    ExpectOkSaves(c.golden);
    EXPECT_EQ(ReadFileBytes(P().UserIni() + L".bak"),
              c.original == kNotReadWhole ? std::optional(c.original) : std::nullopt);
    EXPECT_EQ((*GameKeyValues(Hive::Player))[L"Speech"], StringValue(L"EN"));
}

INSTANTIATE_TEST_SUITE_P(Causes, BlockedSaveTest, ::testing::ValuesIn(kBlockedSaves), CaseName);

// Documents under Latin-1, CJK and astral characters, or past 260 characters: User.ini is read
// and saved there, and OK makes a missing game folder where the shell's own call cannot.
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
            ASSERT_TRUE(Launch());
            ASSERT_TRUE(PressAndWaitForExit(IDOK));
            ExpectGolden(golden, ReadFileBytes(game + L"\\config\\User.ini").value_or("none"));
            ASSERT_TRUE(RemoveTree(game));
        }
    }
    ASSERT_TRUE(RemoveTree(P().root + L"\\deep-folder-name"));
}

// Over damaged files the editor's OK keeps what parses and backs the mapping up; Cancel keeps it.
TEST_F(EditorTest, OverDamagedFiles) {
    const std::string mapping = Input("damaged-DIMapping.ini");
    ASSERT_TRUE(WriteFileBytes(P().Mapping(), mapping));
    WriteUserIni(Input("damaged-User.ini"));
    ASSERT_TRUE(OpenEditor(kAzerty));
    ASSERT_TRUE(CloseEditor(IDOK));
    ExpectUserIniGolden("damaged-bindings-User.ini");
    ExpectGolden("damaged-DIMapping.ini", ReadFileBytes(P().Mapping()).value_or("none"));
    EXPECT_EQ(ReadFileBytes(P().Mapping() + L".bak"), mapping);
    EXPECT_FALSE(FileExists(P().UserIni() + L".bak"));
    const auto files = SnapshotFolder(P().Game());
    PressAndWaitForExit(IDCANCEL);
    EXPECT_EQ(SnapshotFolder(P().Game()), files);
}

// A read-only DIMapping.ini stays as it was and fails no OK. With User.ini held the editor's OK
// warns and the editor stays open; the main window's OK saves its bindings once the file is free.
TEST_F(EditorTest, SavesAroundLockedAndReadOnlyFiles) {
    const std::string mapping = "[InputAZERTY]\r\nDIK_Q=IK_A\r\n";
    ASSERT_TRUE(WriteFileBytes(P().Mapping(), mapping));
    ASSERT_TRUE(SetFileAttributesW(P().Mapping().c_str(), FILE_ATTRIBUTE_READONLY));
    WriteUserIni("[Input]\r\nKeyboardLayout=QWERTY\r\n");
    ASSERT_TRUE(OpenEditor(kAzerty));
    ASSERT_TRUE(CloseEditor(IDOK));
    const auto saved = UserIni();
    ASSERT_TRUE(ReopenEditor(kQwerty));
    const HANDLE lock = HoldUserIni();
    ASSERT_TRUE(Ed().ClickButton(IDOK));
    AnswerSaveWarning(Ed());
    CloseHandle(lock);
    Window::Send(Ed().Handle(), WM_NULL); // answered once OK has been handled
    EXPECT_TRUE(Ed().IsOpen());
    ASSERT_TRUE(CloseEditor(IDCANCEL));
    EXPECT_EQ(UserIni(), saved);
    ExpectOkSaves("editor-locked-main-ok-User.ini");
    EXPECT_EQ(ReadFileBytes(P().Mapping()), mapping);
    EXPECT_TRUE(GetFileAttributesW(P().Mapping().c_str()) & FILE_ATTRIBUTE_READONLY);
}
