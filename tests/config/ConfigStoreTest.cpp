#include "ConfigTestSupport.h"

#include "config/ConfigStore.h"
#include "config/FileIo.h"

#include <gtest/gtest.h>

namespace {

const std::string Bom = "\xEF\xBB\xBF";

class ConfigStoreTest : public testing::Test {
protected:
    void SetUp() override {
        UserStore = std::make_unique<ConfigStore>(m_folder.Directory());
        ProfileStore = std::make_unique<ConfigStore>(m_folder.Directory());
    }
    void TearDown() override { ReleaseConfigStores(); }

    std::u16string Ini(std::u16string_view name) const {
        return m_folder.Path(std::u16string(name) + u".ini");
    }

    TempFolder m_folder;
};

TEST_F(ConfigStoreTest, SameNameGivesTheSameFile) {
    ConfigFile* user = UserStore->GetFile(u"User");
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->Path(), m_folder.Directory() + u"User.ini");
    user->FindSection(u"Viewport", true)->SetValue(u"Width", u"1920", false);

    ConfigFile* again = UserStore->GetFile(u"User");
    EXPECT_EQ(again, user);
    std::u16string width;
    EXPECT_TRUE(again->FindSection(u"Viewport", false)->GetValue(u"Width", width));
    EXPECT_EQ(width, u"1920");
    EXPECT_EQ(UserStore->Files().size(), 1u);
}

TEST_F(ConfigStoreTest, NamesDifferingInCaseAreSeparateFilesSavedInRequestOrder) {
    ConfigFile* upper = UserStore->GetFile(u"User");
    ConfigFile* lower = UserStore->GetFile(u"user");
    ASSERT_NE(upper, lower);
    upper->FindSection(u"S", true)->SetValue(u"From", u"Upper", false);
    lower->FindSection(u"S", true)->SetValue(u"From", u"Lower", false);
    UserStore->SaveAll();
    const std::string lowerBytes = Bom + "[S]\r\nFrom=Lower\r\n\r\n";
    EXPECT_EQ(ReadAll(Ini(u"user")), lowerBytes);
#ifdef _WIN32
    // One file on disk: the later request was written last.
    EXPECT_EQ(ReadAll(Ini(u"User")), lowerBytes);
#else
    EXPECT_EQ(ReadAll(Ini(u"User")), Bom + "[S]\r\nFrom=Upper\r\n\r\n");
#endif
}

TEST_F(ConfigStoreTest, EmptyNameGivesNothing) {
    EXPECT_EQ(UserStore->GetFile(u""), nullptr);
    std::u16string out = u"default";
    EXPECT_FALSE(ReadValue(UserStore.get(), u"", u"S", u"K", out));
    EXPECT_EQ(out, u"default");
    EXPECT_TRUE(UserStore->Files().empty());
}

TEST_F(ConfigStoreTest, SaveAllRewritesEveryRequestedFile) {
    WriteAll(Ini(u"Read"), "[B]\nb=1\n[A]\na=1\n");
    WriteAll(Ini(u"Untouched"), "[B]\nb=1\n[A]\na=1\n");
    UserStore->GetFile(u"Read");
    UserStore->GetFile(u"Missing");
    UserStore->SaveAll();
    EXPECT_EQ(ReadAll(Ini(u"Read")), Bom + "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n\r\n");
    EXPECT_EQ(ReadAll(Ini(u"Missing")), Bom);
    EXPECT_EQ(ReadAll(Ini(u"Untouched")), "[B]\nb=1\n[A]\na=1\n");
}

TEST_F(ConfigStoreTest, ReleaseWritesNothingAndTwiceIsHarmless) {
    WriteAll(Ini(u"User"), "[S]\nK=old\n");
    ASSERT_TRUE(WriteUserValue(u"S", u"K", u"new"));
    ReleaseConfigStores();
    ReleaseConfigStores();
    EXPECT_EQ(UserStore, nullptr);
    EXPECT_EQ(ProfileStore, nullptr);
    EXPECT_EQ(LangStore, nullptr);
    EXPECT_EQ(ReadAll(Ini(u"User")), "[S]\nK=old\n");
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"User.ini"});
}

TEST_F(ConfigStoreTest, ReadValueLeavesOutUnchangedOnAMiss) {
    WriteAll(Ini(u"PCHigh"), "[Rendering]\nShadows=3\nShadows=4\n");
    const struct {
        const char* what;
        ConfigStore* store;
        std::u16string file, section, key;
        bool found;
        std::u16string out;
    } cases[] = {
        {"found: the first value", ProfileStore.get(), u"PCHigh", u"Rendering", u"Shadows", true,
         u"3"},
        {"missing key", ProfileStore.get(), u"PCHigh", u"Rendering", u"Other", false, u"x"},
        {"missing section", ProfileStore.get(), u"PCHigh", u"rendering", u"Shadows", false, u"x"},
        {"missing file", ProfileStore.get(), u"PCLow", u"Rendering", u"Shadows", false, u"x"},
        {"no store", nullptr, u"PCHigh", u"Rendering", u"Shadows", false, u"x"},
    };
    for (const auto& c : cases) {
        std::u16string out = u"x";
        EXPECT_EQ(ReadValue(c.store, c.file, c.section, c.key, out), c.found) << c.what;
        EXPECT_EQ(out, c.out) << c.what;
    }
    // The missing file stays loaded, empty, and is never written by the program.
    ASSERT_EQ(ProfileStore->Files().size(), 2u);
    EXPECT_TRUE(ProfileStore->Files()[1]->Sections().empty());
    EXPECT_FALSE(PathExists(Ini(u"PCLow")));
}

TEST_F(ConfigStoreTest, WriteUserValueLeavesExactlyOneValue) {
    WriteAll(Ini(u"User"), "[Input]\nBind=1\nBind=2\nBind=3\n");
    EXPECT_TRUE(WriteUserValue(u"Input", u"Bind", u"4"));
    EXPECT_TRUE(WriteUserValue(u"Viewport", u"Width", u"1280"));
    EXPECT_TRUE(WriteUserValue(u"Viewport", u"Empty", u""));
    EXPECT_FALSE(WriteUserValue(u"Viewport", u"", u"1"));
    EXPECT_FALSE(WriteUserValue(u"", u"Key", u"1"));
    UserStore->SaveAll();
    EXPECT_EQ(ReadAll(Ini(u"User")), Bom + "[Input]\r\nBind=4\r\n\r\n"
                                           "[Viewport]\r\nEmpty=\r\nWidth=1280\r\n\r\n");
}

TEST(ConfigStoreAbsent, ConvenienceOperationsDoNothing) {
    ReleaseConfigStores();
    EXPECT_FALSE(WriteUserValue(u"S", u"K", u"V"));
    std::u16string out = u"x";
    EXPECT_FALSE(ReadValue(UserStore.get(), u"User", u"S", u"K", out));
    EXPECT_EQ(out, u"x");
}

TEST(ConfigStorePaths, LongerThan255Characters) {
    TempFolder folder;
    const std::u16string directory = folder.Directory();
    ASSERT_LT(directory.size(), 200u);
    // Kept under 260 so the test's own file helpers work on every system.
    const std::u16string name(258 - directory.size() - 4, u'n');
    ConfigStore store(directory);
    ConfigFile* file = store.GetFile(name);
    ASSERT_EQ(file->Path().size(), 258u);
    file->FindSection(u"S", true)->SetValue(u"K", u"V", false);
    store.SaveAll();
    EXPECT_EQ(ReadAll(file->Path()), Bom + "[S]\r\nK=V\r\n\r\n");
}

} // namespace
