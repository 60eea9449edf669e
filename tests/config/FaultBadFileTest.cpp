// Player files in every broken shape the store may meet: loading never fails, saving writes
// either nothing or the complete new text, a file not taken whole survives as "<name>.ini.bak",
// and files the store never loaded stay byte-identical.

#include "ConfigTestSupport.h"
#include "FaultInputs.h"

#include "config/ConfigFile.h"
#include "config/ConfigStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using fault::BadFile;

// A file beside User.ini that nothing loads; it must come through every save unchanged.
const std::string Neighbour = "[Other]\r\nkept=as it was\r\n";

class BadUserFileTest : public testing::TestWithParam<BadFile> {
protected:
    std::u16string User() const { return m_folder.Path(u"User.ini"); }

    TempFolder m_folder;
};

// Loads User.ini through a store, changes one value as the main window's OK does, saves, and
// checks what is on disk against the model.
TEST_P(BadUserFileTest, SaveWritesTheWholeModelAndKeepsWhatWasNotRead) {
    const std::string original = GetParam().bytes();
    WriteAll(User(), original);
    WriteAll(m_folder.Path(u"Other.ini"), Neighbour);

    ConfigStore store(m_folder.Directory());
    ConfigFile* user = store.GetFile(u"User");
    ASSERT_NE(user, nullptr);
    const bool whole = user->WasReadWhole();
    if (GetParam().takenWhole) {
        EXPECT_EQ(*GetParam().takenWhole, whole);
    }
    ASSERT_TRUE(user->FindSection(u"Viewport", true)->SetValue(u"Width", u"1280", false));
    const ConfigSectionMap saved = user->Sections();
    store.SaveAll();

    EXPECT_EQ(ReadAll(User()), EncodeConfigBytes(FormatConfigText(saved)));
    const ConfigFile reread(u"User", User());
    EXPECT_TRUE(reread.WasReadWhole());
    EXPECT_EQ(Dump(reread.Sections()), Dump(saved));

    std::vector<std::string> expectedNames = {"Other.ini", "User.ini"};
    if (!whole) {
        expectedNames.push_back("User.ini.bak");
        EXPECT_EQ(ReadAll(User() + u".bak"), original) << "the backup lost bytes";
    }
    EXPECT_EQ(m_folder.Names(), expectedNames);
    EXPECT_EQ(ReadAll(m_folder.Path(u"Other.ini")), Neighbour);

    // A second save has nothing left to protect and must not replace the first backup.
    store.SaveAll();
    if (!whole) {
        EXPECT_EQ(ReadAll(User() + u".bak"), original);
    }
    EXPECT_EQ(m_folder.Names(), expectedNames);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BadUserFileTest, testing::ValuesIn(fault::BadFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

// Profile and language files are read through the same code and never written: a store that
// only read them leaves the folder exactly as it was, whatever the files hold.
TEST(BadReadOnlyFiles, ReadingLeavesThemByteIdentical) {
    TempFolder folder;
    const std::vector<BadFile> files = fault::BadFiles();
    const auto nameOf = [](size_t i) {
        return u"F" + std::u16string(1, u'A' + static_cast<char16_t>(i));
    };
    for (size_t i = 0; i < files.size(); ++i)
        WriteAll(folder.Path(nameOf(i) + u".ini"), files[i].bytes());
    const std::vector<std::string> names = folder.Names();
    {
        ConfigStore store(folder.Directory());
        for (size_t i = 0; i < files.size(); ++i) {
            std::u16string text;
            ReadValue(&store, nameOf(i), u"Configurator", u"Configurator", text);
        }
    }
    EXPECT_EQ(folder.Names(), names);
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(ReadAll(folder.Path(nameOf(i) + u".ini")), files[i].bytes()) << files[i].name;
}

} // namespace
