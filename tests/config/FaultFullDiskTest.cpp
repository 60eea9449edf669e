// A full disk while saving: a small tmpfs mounted for the test (this needs root; the test is
// skipped, saying why, where mounting is not allowed). Windows reports the same fault with
// its own error, which the end-to-end suite meets through a drive mapped to such a mount.

#ifndef _WIN32

#include "ConfigTestSupport.h"

#include "config/ConfigFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/mount.h>

namespace {

namespace fs = std::filesystem;

constexpr size_t kDiskBytes = 64 * 1024;

// The tmpfs over a scratch folder; unmounted again when the test ends.
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& where) : m_where(where) {
        fs::create_directory(m_where);
        const std::string options = "size=" + std::to_string(kDiskBytes);
        if (::mount("tmpfs", m_where.c_str(), "tmpfs", 0, options.c_str()) == 0)
            m_mounted = true;
        else
            m_error = std::strerror(errno);
    }
    ~SmallDisk() {
        if (m_mounted)
            ::umount2(m_where.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Error() const { return m_error; }
    std::u16string Path(std::u16string_view name) const { return (m_where / name).u16string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_where))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path m_where;
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

    std::u16string User() const { return m_disk.Path(u"User.ini"); }

    TempFolder m_scratch;
    SmallDisk m_disk{m_scratch.Root() / "disk"};
};

const std::string Old = "[Engine]\r\nPerformancePlatform=2\r\n";

// Sizes in pages of the 16 the disk has: a user file of 4 beside a filler of 10 leaves no room
// for a second copy of the user file; without the filler there is room for three.
const std::string OldPadding(kDiskBytes / 5, 'o');
const std::string Filler(kDiskBytes * 5 / 8, 'f');

// The new text does not fit: the old file stays, and no temporary file is left to fill the
// disk further.
TEST_F(FullDiskTest, ABiggerFileIsNotWrittenAndTheOldOneStays) {
    WriteAll(User(), Old);
    ConfigFile file(u"User", User());
    file.FindSection(u"Big", true)->SetValue(u"Value", std::u16string(2 * kDiskBytes, u'x'), false);
    EXPECT_FALSE(file.Write());
    EXPECT_EQ(ReadAll(User()), Old);
    EXPECT_EQ(m_disk.Names(), std::vector<std::string>{"User.ini"});
}

// The disk holds the old file but not a second copy of it: replacing needs the room of both,
// so the write fails cleanly; once room is made the same model is written whole.
TEST_F(FullDiskTest, NoRoomForTheTemporaryCopyThenRoomAgain) {
    const std::string old = Old + "[Padding]\r\nKey=" + OldPadding + "\r\n";
    WriteAll(User(), old);
    WriteAll(m_disk.Path(u"Filler.bin"), Filler);
    ConfigFile file(u"User", User());
    file.FindSection(u"Engine", false)->SetValue(u"PerformancePlatform", u"3", false);
    EXPECT_FALSE(file.Write());
    EXPECT_EQ(ReadAll(User()), old);
    EXPECT_EQ(m_disk.Names(), (std::vector<std::string>{"Filler.bin", "User.ini"}));

    fs::remove(fs::path(m_disk.Path(u"Filler.bin")));
    EXPECT_TRUE(file.Write());
    EXPECT_EQ(ReadAll(User()), EncodeConfigBytes(FormatConfigText(file.Sections())));
    EXPECT_EQ(m_disk.Names(), std::vector<std::string>{"User.ini"});
}

// A file not read whole needs its backup first; when that does not fit, nothing is replaced
// and no half backup is left.
TEST_F(FullDiskTest, BackupThatDoesNotFitStopsTheSave) {
    const std::string old = Old + "[Two words]\r\nKey=" + OldPadding + "\r\n";
    WriteAll(User(), old);
    WriteAll(m_disk.Path(u"Filler.bin"), Filler);
    ConfigFile file(u"User", User());
    ASSERT_FALSE(file.WasReadWhole());
    EXPECT_FALSE(file.Write());
    EXPECT_EQ(ReadAll(User()), old);
    EXPECT_EQ(m_disk.Names(), (std::vector<std::string>{"Filler.bin", "User.ini"}));

    fs::remove(fs::path(m_disk.Path(u"Filler.bin")));
    EXPECT_TRUE(file.Write());
    EXPECT_EQ(ReadAll(User() + u".bak"), old);
    EXPECT_EQ(ReadAll(User()), EncodeConfigBytes(FormatConfigText(file.Sections())));
}

} // namespace

#endif
