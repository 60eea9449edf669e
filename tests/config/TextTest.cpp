#include "config/Text.h"

#include <gtest/gtest.h>

TEST(ParseDecimalInt, ReadsLikeTheCLibrary) {
    const struct {
        const char16_t* text;
        int32_t expected;
    } cases[] = {
        // clang-format off
        {u"", 0},          {u"abc", 0},           {u"42", 42},          {u"  -7x", -7},
        {u"\t+15", 15},    {u"007", 7},           {u"1.5", 1},          {u"- 3", 0},
        {u"99999999999", INT32_MAX}, {u"-99999999999", INT32_MIN}, {u"-2147483648", INT32_MIN},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDecimalInt(c.text), c.expected) << Utf16ToUtf8(c.text);
}

TEST(Utf8, InvalidSequencesAndLoneSurrogatesBecomeReplacementCharacters) {
    const struct {
        std::string bytes;
        std::u16string expected;
    } cases[] = {
        {"A\xC3\xA9", u"A\u00E9"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xFF", u"\uFFFD"},
        {"\xC3", u"\uFFFD"},
        {"\xE2\x82", u"\uFFFD"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // an encoded surrogate is ill-formed
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToUtf16(c.bytes), c.expected);
    // Back to UTF-8: a round trip, and a lone surrogate replaced.
    const std::u16string text = u"K\u00F6ln \u65E5\u672C \U0001F600";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}
