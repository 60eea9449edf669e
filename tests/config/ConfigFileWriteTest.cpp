#include "ConfigTestSupport.h"

#include "config/ConfigFile.h"
#include "config/FileIo.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const std::string Bom = "\xEF\xBB\xBF";
const std::string Old = "[S]\r\nK=old\r\n";
const std::string New = Bom + "[S]\r\nK=new\r\n\r\n";

class ConfigFileWriteTest : public testing::Test {
protected:
    std::u16string User() const { return m_folder.Path(u"User.ini"); }

    // Loads User.ini, sets S/K to "new" and writes it.
    bool LoadChangeAndWrite(ConfigFile& file) {
        file.FindSection(u"S", true)->SetValue(u"K", u"new", false);
        return file.Write();
    }

    TempFolder m_folder;
};

TEST_F(ConfigFileWriteTest, ReplacesTheFileAndLeavesNoTemporaryFile) {
    WriteAll(User(), Old);
    ConfigFile file(u"User", User());
    EXPECT_TRUE(LoadChangeAndWrite(file));
    EXPECT_EQ(ReadAll(User()), New);
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"User.ini"});
}

TEST_F(ConfigFileWriteTest, ReadOnlyTargetIsNotReplaced) {
    WriteAll(User(), Old);
    SetReadOnly(User(), true);
    ConfigFile file(u"User", User());
    EXPECT_FALSE(LoadChangeAndWrite(file));
    SetReadOnly(User(), false);
    EXPECT_EQ(ReadAll(User()), Old);
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"User.ini"});
}

TEST_F(ConfigFileWriteTest, MissingFolderFailsAndCreatesNothing) {
    ConfigFile file(u"User", m_folder.Path(u"Missing") +
                                 (m_folder.Directory().back() + std::u16string(u"User.ini")));
    EXPECT_FALSE(LoadChangeAndWrite(file));
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(ConfigFileWriteTest, FailedReplaceKeepsTheTargetAndRemovesTheTemporaryFile) {
    // A folder where the file should be: everything succeeds up to the final rename.
    fs::create_directory(fs::path(User()));
    WriteAll(User() + m_folder.Directory().back() + u"inside", "kept");
    ConfigFile file(u"User", User());
    EXPECT_FALSE(LoadChangeAndWrite(file));
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"User.ini"});
    EXPECT_EQ(ReadAll(User() + m_folder.Directory().back() + u"inside"), "kept");
}

TEST_F(ConfigFileWriteTest, BackupOnlyWhenTheFileWasNotReadWhole) {
    const struct {
        const char* what;
        std::string original; // empty: no file
        bool backup;
    } cases[] = {
        {"reading stopped at a header with a space", "[S]\r\nK=1\r\n[Two words]\r\nL=2\r\n", true},
        {"reading stopped at a line starting with =", "[S]\r\nK=1\r\n=2\r\n", true},
        {"big-endian mark", std::string("\xFE\xFF\0[\0S\0]\0\r\0\n", 12), true},
        {"read whole", "[S]\r\nK=1\r\nComment\r\n", false},
        {"under 10 characters", "[S]\nK=1\n", false},
        {"no file", "", false},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::u16string path = folder.Path(u"User.ini");
        if (!c.original.empty())
            WriteAll(path, c.original);
        ConfigFile file(u"User", path);
        EXPECT_EQ(file.WasReadWhole(), !c.backup) << c.what;
        EXPECT_TRUE(LoadChangeAndWrite(file)) << c.what;
        EXPECT_EQ(PathExists(path + u".bak"), c.backup) << c.what;
        if (c.backup) {
            EXPECT_EQ(ReadAll(path + u".bak"), c.original) << c.what;
        }
        EXPECT_EQ(folder.Names().size(), c.backup ? 2u : 1u) << c.what;

        // Only the first Write keeps the original; later ones have nothing more to save.
        fs::remove(fs::path(path + u".bak"));
        EXPECT_TRUE(file.Write()) << c.what;
        EXPECT_FALSE(PathExists(path + u".bak")) << c.what;
    }
}

TEST_F(ConfigFileWriteTest, BackupReplacesAnOlderOne) {
    const std::string original = "[S]\r\nK=old\r\n[a b]\r\n";
    WriteAll(User(), original);
    WriteAll(User() + u".bak", "an older backup");
    ConfigFile file(u"User", User());
    EXPECT_TRUE(LoadChangeAndWrite(file));
    EXPECT_EQ(ReadAll(User() + u".bak"), original);
    EXPECT_EQ(ReadAll(User()), New);
}

TEST_F(ConfigFileWriteTest, NoBackupNoWrite) {
    const std::string original = "[S]\r\nK=old\r\n[a b]\r\n";
    WriteAll(User(), original);
    fs::create_directory(fs::path(User() + u".bak")); // the backup cannot be written
    WriteAll(User() + u".bak" + m_folder.Directory().back() + u"x", "");
    ConfigFile file(u"User", User());
    EXPECT_FALSE(LoadChangeAndWrite(file));
    EXPECT_EQ(ReadAll(User()), original);
    EXPECT_EQ(m_folder.Names(), (std::vector<std::string>{"User.ini", "User.ini.bak"}));

    // Once the way is clear, the next Write makes the backup after all.
    fs::remove_all(fs::path(User() + u".bak"));
    EXPECT_TRUE(file.Write());
    EXPECT_EQ(ReadAll(User() + u".bak"), original);
}

TEST_F(ConfigFileWriteTest, AModelWithoutAPathIsNeverWritten) {
    EXPECT_FALSE(ConfigFile::FromBytes(u"User", u"", "[S]\r\nK=1\r\n[a b]\r\n")->Write());
    EXPECT_FALSE(PathExists(u".tmp"));
    EXPECT_FALSE(PathExists(u".bak"));
}

TEST_F(ConfigFileWriteTest, FileIoBasics) {
    std::string bytes = "junk";
    EXPECT_FALSE(ReadFileBytes(User(), bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_FALSE(ReadFileBytes(m_folder.Directory(), bytes));
    EXPECT_FALSE(PathExists(User()));

    const std::string big(3 << 20, 'x');
    EXPECT_TRUE(ReplaceFileAtomically(User(), big));
    EXPECT_TRUE(PathExists(User()));
    EXPECT_TRUE(ReadFileBytes(User(), bytes));
    EXPECT_EQ(bytes, big);
    EXPECT_TRUE(ReplaceFileAtomically(User(), ""));
    EXPECT_TRUE(ReadFileBytes(User(), bytes));
    EXPECT_EQ(bytes, "");
}

} // namespace
