#include "config/Text.h"
#include "input/BindingText.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

const std::u16string Unchanged = u"<unchanged>";
constexpr float UnchangedValue = -42.0f;

} // namespace

TEST(ParseBindingText, AcceptedTexts) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    const struct {
        std::u16string text;
        std::u16string name;
        float value;
    } cases[] = {
        // The two forms the files hold.
        {u"(GameKey=\"GI_Cancel\",Value=1)", u"GI_Cancel", 1},
        {u"(Gamekey=GI_AxisLeftY,Value=-1.000000)", u"GI_AxisLeftY", -1},
        // White space (32 and below) before any part; words in any case.
        {u"( gamekey=GI_Block , value= 1 )", u"GI_Block", 1},
        {u" \t\r\n(\x01GAMEKEY=\x1F\"GI_Block\"\x20,VALUE=\t2\n)", u"GI_Block", 2},
        // Names: quoted, anything up to the next quotation mark, or a bare run.
        {u"(GameKey=\"GI with, spaces)\",Value=1)", u"GI with, spaces)", 1},
        {u"(GameKey=\"\",Value=1)", u"", 1},
        {u"(GameKey=GI_Block Value=3)", u"GI_Block", 3},
        // Either part may be missing; anything after ")" is ignored.
        {u"(GameKey=GI_Block)", u"GI_Block", 1},
        {u"(Value=0.5)", u"", 0.5f},
        {u"()", u"", 1},
        {u"(GameKey=GI_Block,Value=1,)trailing text", u"GI_Block", 1},
        // Numbers: sign first, "f" after the first character ends the number; read as the
        // C library does in the "C" locale, through double.
        {u"(Value=+2.5)", u"", 2.5f},
        {u"(Value=-.25)", u"", -0.25f},
        {u"(Value=1f5)", u"", 1},
        {u"(Value=1.2.3)", u"", 1.2f},
        {u"(Value=007)", u"", 7},
        {u"(Value=.)", u"", 0},
        {u"(Value=-)", u"", 0},
        {u"(Value=0.1)", u"", 0.1f},
        {u"(Value=1" + std::u16string(39, u'0') + u")", u"", inf},
        {u"(Value=" + std::u16string(62, u'0') + u"1)", u"", 1}, // 63 characters are taken
    };
    for (const auto& c : cases) {
        std::u16string name = Unchanged;
        float value = UnchangedValue;
        ASSERT_TRUE(ParseBindingText(c.text, name, value)) << Utf16ToUtf8(c.text);
        EXPECT_EQ(name, c.name) << Utf16ToUtf8(c.text);
        EXPECT_EQ(value, c.value) << Utf16ToUtf8(c.text);
    }
}

TEST(ParseBindingText, RefusedTextsChangeNothing) {
    const std::u16string zeros63(63, u'0'); // 64 characters are too many
    // clang-format off
    const std::u16string refused[] = {
        u"(GameKey =GI_Block)", u"GameKey=GI_Block)", u"x(GameKey=GI_Block)", u"",
        u"(GameKey=\"GI_Block,Value=1)", u"(GameKey=,Value=1)", u"(GameKey=GI-Block,Value=1)",
        u"(GameKey=GI_Block,,Value=1)", u"(Value=1,GameKey=GI_Block)", u"(GameKey=GI_Block,Value=1",
        u"(Value=f1)", u"(Value=1F)", u"(Value=1e5)", u"(Value=--1)", u"(Value=1-)", u"(Value=)",
        u"(Value=abc)", u"(Value= ,)", u"(Value=" + zeros63 + u"1)", u"(Value=-" + zeros63 + u")"};
    // clang-format on
    for (const std::u16string& text : refused) {
        std::u16string name = Unchanged;
        float value = UnchangedValue;
        EXPECT_FALSE(ParseBindingText(text, name, value)) << Utf16ToUtf8(text);
        EXPECT_EQ(name, Unchanged) << Utf16ToUtf8(text);
        EXPECT_EQ(value, UnchangedValue) << Utf16ToUtf8(text);
    }
}

// Six decimals and no quotes; refused (text unchanged) when the result would not read back.
TEST(FormatBindingText, WritesWhatReadsBack) {
    const std::u16string longest(230, u'G'); // the result just fits the 256-character buffer
    constexpr float inf = std::numeric_limits<float>::infinity();
    const struct {
        std::u16string name;
        float value;
        std::u16string expected; // empty: refused
    } cases[] = {
        {u"GI_Block", -1, u"(Gamekey=GI_Block,Value=-1.000000)"},
        {u"GI_Block", 2.0f / 3, u"(Gamekey=GI_Block,Value=0.666667)"},
        {u"GI_Block", 1e-7f, u"(Gamekey=GI_Block,Value=0.000000)"},
        {u"GI_Block", -0.0f, u"(Gamekey=GI_Block,Value=-0.000000)"},
        {u"GI_Block", std::numeric_limits<float>::max(),
         u"(Gamekey=GI_Block,Value=340282346638528859811704183484516925440.000000)"},
        {longest, 1, u"(Gamekey=" + longest + u",Value=1.000000)"},
        {longest + u"G", 1, u""},
        {longest, -1, u""},
        {u"", 1, u""},
        {u"GI Block", 1, u""},
        {u"GI\"Block", 1, u""},
        {u"GI_Block", inf, u""},
        {u"GI_Block", -inf, u""},
        {u"GI_Block", std::numeric_limits<float>::quiet_NaN(), u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.name) + " " + std::to_string(c.value));
        std::u16string text = Unchanged;
        EXPECT_EQ(FormatBindingText(c.name, c.value, text), !c.expected.empty());
        EXPECT_EQ(text, c.expected.empty() ? Unchanged : c.expected);
        std::u16string name;
        float value = 0;
        if (!c.expected.empty()) {
            EXPECT_TRUE(ParseBindingText(text, name, value));
            EXPECT_EQ(name, c.name);
        }
    }
}
