// A full disk while saving: a small tmpfs mounted for the test (this needs root; the test is
// skipped, saying why, where mounting is not allowed). Windows reports the same fault with
// its own error, which the end-to-end suite meets through a drive mapped to such a mount.

#ifndef _WIN32

#include "ConfigTestSupport.h"

#include "config/ConfigFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/mount.h>

namespace {

namespace fs = std::filesystem;

constexpr size_t kDiskBytes = 64 * 1024;

// The tmpfs mounted over a scratch folder, and unmounted before the folder is removed.
class SmallDisk {
public:
    SmallDisk() {
        const std::string options = "size=" + std::to_string(kDiskBytes);
        if (::mount("tmpfs", folder.Root().c_str(), "tmpfs", 0, options.c_str()) == 0)
            m_mounted = true;
        else
            m_error = std::strerror(errno);
    }
    ~SmallDisk() {
        if (m_mounted)
            ::umount2(folder.Root().c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Error() const { return m_error; }

    TempFolder folder;

private:
    bool m_mounted = false;
    std::string m_error;
};

class FullDiskTest : public testing::Test {
protected:
    void SetUp() override {
        if (!m_disk.Mounted())
            GTEST_SKIP() << "cannot mount a small tmpfs here (" << m_disk.Error()
                         << "); the full disk is not tested";
    }

    std::u16string Path(std::u16string_view name) const { return m_disk.folder.Path(name); }
    std::vector<std::string> Names() const { return m_disk.folder.Names(); }

    SmallDisk m_disk;
};

const std::string Old = "[Engine]\r\nPerformancePlatform=2\r\n";

// Sizes in pages of the 16 the disk has: a user file of 4 beside a filler of 10 leaves no room
// for a second copy of the user file; without the filler there is room for three.
const std::string OldPadding(kDiskBytes / 5, 'o');
const std::string Filler(kDiskBytes * 5 / 8, 'f');

// The new text does not fit: the old file stays, and no temporary file is left to fill the
// disk further.
TEST_F(FullDiskTest, ABiggerFileIsNotWrittenAndTheOldOneStays) {
    const std::u16string user = Path(u"User.ini");
    WriteAll(user, Old);
    ConfigFile file(u"User", user);
    file.FindSection(u"Big", true)->SetValue(u"Value", std::u16string(2 * kDiskBytes, u'x'), false);
    EXPECT_FALSE(file.Write());
    EXPECT_EQ(ReadAll(user), Old);
    EXPECT_EQ(Names(), std::vector<std::string>{"User.ini"});
}

// The disk holds the old file but not a second copy of it: replacing needs the room of both,
// and a file not read whole needs its backup first. The write fails cleanly, leaving no
// temporary file or half backup; once room is made the same model is written whole.
TEST_F(FullDiskTest, NoRoomForTheTemporaryCopyOrTheBackupThenRoomAgain) {
    const std::u16string user = Path(u"User.ini");
    for (const bool readWhole : {true, false}) {
        SCOPED_TRACE(readWhole ? "read whole" : "backup first");
        const std::string old =
            Old + (readWhole ? "[Padding]" : "[Two words]") + "\r\nKey=" + OldPadding + "\r\n";
        WriteAll(user, old);
        WriteAll(Path(u"Filler.bin"), Filler);
        ConfigFile file(u"User", user);
        ASSERT_EQ(file.WasReadWhole(), readWhole);
        file.FindSection(u"Engine", false)->SetValue(u"PerformancePlatform", u"3", false);
        EXPECT_FALSE(file.Write());
        EXPECT_EQ(ReadAll(user), old);
        EXPECT_EQ(Names(), (std::vector<std::string>{"Filler.bin", "User.ini"}));

        fs::remove(fs::path(Path(u"Filler.bin")));
        EXPECT_TRUE(file.Write());
        EXPECT_EQ(ReadAll(user), EncodeConfigBytes(FormatConfigText(file.Sections())));
        if (!readWhole) {
            EXPECT_EQ(ReadAll(user + u".bak"), old);
        }
    }
}

} // namespace

#endif
