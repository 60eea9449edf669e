#include "ConfigTestSupport.h"

#include "config/LongPath.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtendedLengthPath, OnlyLongAbsolutePathsChange) {
    const std::u16string part(120, u'p');
    const std::u16string tail = part + u"\\" + part + u"\\User.ini"; // 250 characters
    const struct {
        const char* what;
        std::u16string path, expected;
    } cases[] = {
        {"short paths are left to Windows", u"C:\\a\\\\b/c.ini", u"C:\\a\\\\b/c.ini"},
        {"259 characters still fit", u"C:\\" + std::u16string(256, u'x'),
         u"C:\\" + std::u16string(256, u'x')},
        {"drive path", u"C:\\Users\\Player\\Documents\\" + tail,
         u"\\\\?\\C:\\Users\\Player\\Documents\\" + tail},
        {"doubled backslashes and slashes", u"D:\\\\Users//Player/\\Documents\\\\" + tail,
         u"\\\\?\\D:\\Users\\Player\\Documents\\" + tail},
        {"dot parts resolved", u"c:/Users/./Other/../Player/Documents/" + tail,
         u"\\\\?\\c:\\Users\\Player\\Documents\\" + tail},
        {".. stops at the drive", u"C:\\..\\..\\Documents\\" + tail + u"\\" + part,
         u"\\\\?\\C:\\Documents\\" + tail + u"\\" + part},
        {"trailing separator kept", u"C:\\Documents\\" + tail + u"\\" + part + u"\\",
         u"\\\\?\\C:\\Documents\\" + tail + u"\\" + part + u"\\"},
        {"share", u"\\\\server\\share\\..\\Documents\\" + tail,
         u"\\\\?\\UNC\\server\\share\\Documents\\" + tail},
        {"already extended", u"\\\\?\\C:\\Documents\\\\" + tail + u"\\" + part,
         u"\\\\?\\C:\\Documents\\\\" + tail + u"\\" + part},
        {"relative path", u"Documents\\" + tail + u"\\" + part,
         u"Documents\\" + tail + u"\\" + part},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Escaped(ExtendedLengthPath(c.path)), Escaped(c.expected)) << c.what;
}

} // namespace
