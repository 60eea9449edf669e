// Saving a player file on a real disk: whatever its shape or obstacle, a write puts the whole
// model or nothing there, keeps what it did not read as "User.ini.bak" and leaves nothing else.

#include "ConfigTestSupport.h"
#include "FaultInputs.h"

#include "config/ConfigStore.h"
#include "config/LocalisedText.h"

#ifndef _WIN32
#include <sys/mount.h>
#endif

static const std::string kNotReadWhole = "[S]\r\nK=1\r\n[a b]\r\n";

TEST(ConfigFault, EveryShapeIsSavedWholeOnceNothingStandsInTheWay) {
    enum Obstacle { kNone, kReadOnly, kFolder, kFullDisk };
    using Row = std::tuple<Obstacle, const char*, std::string, std::string, std::optional<bool>>;
    const std::string padding(13000, 'o');
    std::vector<Row> rows = {
        {kNone, "", "UnderTenCharacters", "[S]\nK=1\n", true},
        {kReadOnly, "User.ini", "ReadOnly", "[S]\r\nK=old\r\n", true},
        // Held by another program, say: unreadable, so neither replaced nor backed up yet.
        {kFolder, "User.ini", "AFolderInPlaceOfTheFile", "[S]\r\nK=old\r\n", false},
#ifndef _WIN32
        // A disk of 16 pages: the file takes 4 and the filler 10, so no copy of the file fits.
        {kFullDisk, "filler", "FullDiskForTheCopy", "[S]\r\nK=" + padding, true},
        {kFullDisk, "filler", "FullDiskForTheBackup", kNotReadWhole + "K=" + padding, false},
#endif
    };
    for (const fault::BadFile& shape : fault::BadFiles())
        rows.push_back({kNone, "", shape.name, shape.bytes(), shape.takenWhole});
    for (const auto& [obstacle, at, name, original, takenWhole] : rows) {
        SCOPED_TRACE(name);
        TempFolder folder;
        const fs::path user = folder.Root() / "User.ini", blocked = folder.Root() / at;
#ifndef _WIN32
        if (obstacle == kFullDisk &&
            ::mount("tmpfs", folder.Root().c_str(), "tmpfs", 0, "size=64k")) {
            std::printf("cannot mount a small tmpfs here: %s is not tested\n", name.c_str());
            continue;
        }
#endif
        WriteAll(user, original);
        WriteAll(folder.Root() / "Other.ini", "[Other]\r\nkept=as it was\r\n");
        if (obstacle == kReadOnly)
            SetReadOnly(blocked, true);
        if (obstacle == kFolder)
            fs::remove(blocked), fs::create_directory(blocked);
        if (obstacle == kFullDisk)
            WriteAll(blocked, std::string(40000, 'f'));
        auto expected = folder.Snapshot();
        UserStore = std::make_unique<ConfigStore>(folder.Directory());
        ConfigFile* file = UserStore->GetFile(u"User");
        const bool whole = file->WasReadWhole();
        EXPECT_EQ(whole, takenWhole.value_or(whole));
        EXPECT_TRUE(file->Path() == user && UserStore->GetFile(u"User") == file &&
                    !UserStore->GetFile(u""));
        EXPECT_TRUE(WriteUserValue(u"Viewport", u"Width", u"1280"));
        EXPECT_TRUE(folder.Snapshot() == expected) << "reading changed the folder";
        // Requested files are all saved, a missing one too, whatever the length of their path.
        const std::u16string longName(254 - folder.Directory().size(), u'n'); // a path of 258
        UserStore->GetFile(longName);
        UserStore->GetFile(u"Missing");
        if (obstacle != kNone) {
            EXPECT_FALSE(file->Write());
            EXPECT_EQ(folder.Snapshot(), expected);
            if (obstacle == kReadOnly)
                SetReadOnly(blocked, false);
            else
                fs::remove(blocked);
            if (!fs::exists(user))
                WriteAll(user, original);
            expected = folder.Snapshot();
        }
        if (!whole)
            expected["User.ini.bak"] = expected["User.ini"];
        expected["User.ini"] = FormatConfigBytes(file->Sections());
        expected["Missing.ini"] = expected[fs::path(longName + u".ini").string()] = "\xEF\xBB\xBF";
        for (int save = 0; save < 2; ++save) { // the second must not replace the backup
            UserStore->SaveAll();
            EXPECT_TRUE(folder.Snapshot() == expected) << "save " << save;
        }
        WriteUserValue(u"Viewport", u"Width", u"not saved"); // releasing writes nothing
        ReleaseConfigStores();
        EXPECT_TRUE(folder.Snapshot() == expected && !WriteUserValue(u"S", u"K", u"V"));
#ifndef _WIN32
        if (obstacle == kFullDisk)
            ::umount2(folder.Root().c_str(), MNT_DETACH);
#endif
    }
}

// A backup never replaces a file: the player's own "User.ini.bak" and an earlier backup stay,
// and each save of a file not read whole takes the next free name; with none left, no save.
TEST(ConfigFault, BackupsTakeTheFirstFreeName) {
    TempFolder folder;
    const fs::path user = folder.Root() / "User.ini";
    WriteAll(folder.Root() / "User.ini.bak", "the player's own");
    fs::create_directory(folder.Root() / "User.ini.3.bak");
    for (const char* backup : {"User.ini.2.bak", "User.ini.4.bak", ""}) {
        if (!*backup) // every name taken
            for (int n = 5; n <= 99; ++n)
                WriteAll(folder.Root() / ("User.ini." + std::to_string(n) + ".bak"), "");
        WriteAll(user, kNotReadWhole);
        const auto before = folder.Snapshot();
        EXPECT_EQ(ConfigFile(u"User", user.u16string()).Write(), *backup != 0) << backup;
        EXPECT_EQ(*backup ? ReadAll(folder.Root() / backup) : ReadAll(user), kNotReadWhole);
        EXPECT_EQ(folder.Snapshot().size(), before.size() + (*backup ? 1 : 0));
    }
    EXPECT_EQ(ReadAll(folder.Root() / "User.ini.bak"), "the player's own");
}

// A language file with texts, then damage: each text before it shows, however long, its key
// replaces the rest; an unreadable file or a folder in its place gives keys; nothing is written.
TEST(ConfigFault, DamagedLanguageFilesGiveTheirTextsOrKeys) {
    const std::u16string longText(100000, u'x');
    const std::string texts = "[Configurator]\r\nOK=Fine\r\nLong=" + Utf16ToUtf8(longText) +
                              "\r\n[InputEditor]\r\nOK=Also\r\n";
    std::vector<std::pair<std::string, std::string>> files = {{"Folder", ""}, {"Missing", ""}};
    for (const fault::BadFile& shape : fault::BadFiles())
        files.emplace_back(shape.name, texts + shape.bytes() + "\r\n[Configurator]\r\nLate=x\r\n");
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        TempFolder folder;
        if (name == "Folder")
            fs::create_directory(folder.Root() / "EN.ini");
        else if (name != "Missing")
            WriteAll(folder.Root() / "EN.ini", bytes);
        const auto before = folder.Snapshot();
        LangStore = std::make_unique<ConfigStore>(folder.Directory());
        const bool shown = !bytes.empty();
        EXPECT_EQ(GetConfiguratorText(u"EN", u"OK"), shown ? u"Fine" : u"OK");
        EXPECT_TRUE(GetConfiguratorText(u"EN", u"Long") == (shown ? longText : u"Long"));
        EXPECT_EQ(GetInputEditorText(u"EN", u"OK"), shown ? u"Also" : u"OK");
        EXPECT_EQ(GetInputEditorText(u"EN", u"Fine") + GetConfiguratorText(u"", u"OK"), u"FineOK");
        EXPECT_EQ(GetConfiguratorText(u"FR", u"OK"), u"OK");
        const std::u16string late = GetConfiguratorText(u"EN", u"Late");
        EXPECT_TRUE(late == u"Late" || (late == u"x" && LangStore->GetFile(u"EN")->WasReadWhole()));
        ReleaseConfigStores();
        EXPECT_EQ(GetConfiguratorText(u"EN", u"OK"), u"OK") << "without the store";
        EXPECT_EQ(folder.Snapshot(), before);
    }
}
