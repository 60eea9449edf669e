// A 50 MB user file, made in the test: read, changed in one value and written back whole.
// Native builds only: under Wine the end-to-end suite saves a file of this size through the
// program itself, and a second round there would only double the run time.

#ifndef _WIN32

#include "ConfigTestSupport.h"

#include "config/ConfigFile.h"
#include "config/ConfigStore.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr size_t kBigFileBytes = 50u << 20;

// Already in the written form (sorted, CR LF, the mark), so that saving must reproduce it
// byte for byte apart from the one changed value. Many values per key keep the model small
// next to the text.
std::string BigCanonicalFile() {
    std::string bytes = "\xEF\xBB\xBF[Bindings]\r\n";
    const std::string value(90, 'v');
    for (int key = 0; bytes.size() < kBigFileBytes; ++key) {
        const std::string name = "Key" + std::to_string(100000 + key);
        for (int i = 0; i < 100; ++i)
            bytes += name + "=" + value + "\r\n";
    }
    bytes += "\r\n[Engine]\r\nPerformancePlatform=2\r\n\r\n";
    return bytes;
}

TEST(BigUserFile, FiftyMegabytesComeBackWithOnlyTheChange) {
    TempFolder folder;
    const std::u16string user = folder.Path(u"User.ini");
    std::string bytes = BigCanonicalFile();
    WriteAll(user, bytes);

    ConfigStore store(folder.Directory());
    ConfigFile* file = store.GetFile(u"User");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->WasReadWhole());
    ASSERT_TRUE(file->FindSection(u"Engine", false));
    ASSERT_TRUE(file->FindSection(u"Engine", false)->SetValue(u"PerformancePlatform", u"3", false));
    store.SaveAll();

    bytes[bytes.size() - 5] = '3';
    const std::string written = ReadAll(user);
    EXPECT_EQ(written.size(), bytes.size());
    EXPECT_TRUE(written == bytes) << "the rewritten file differs beyond the changed value";
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"User.ini"});
}

} // namespace

#endif
