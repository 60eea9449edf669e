#include "config/Text.h"
#include "input/BindingText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

const std::u16string Unchanged = u"<unchanged>";
constexpr float UnchangedValue = -42.0f;

} // namespace

TEST(ParseBindingText, AcceptedAndRefusedTexts) {
    const std::u16string zeros62(62, u'0');
    const std::u16string zeros63(63, u'0');
    const struct {
        std::u16string text;
        bool ok;
        std::u16string name = {};
        float value = 0;
    } cases[] = {
        // The two forms the files hold.
        {u"(GameKey=\"GI_Cancel\",Value=1)", true, u"GI_Cancel", 1},
        {u"(Gamekey=GI_AxisLeftY,Value=-1.000000)", true, u"GI_AxisLeftY", -1},
        // White space (32 and below) before any part; words in any case.
        {u"( gamekey=GI_Block , value= 1 )", true, u"GI_Block", 1},
        {u" \t\r\n(\x01GAMEKEY=\x1F\"GI_Block\"\x20,VALUE=\t2\n)", true, u"GI_Block", 2},
        {u"( gamekey = GI_Block )", false},
        {u"(GameKey =GI_Block)", false},
        {u"GameKey=GI_Block)", false},
        {u"x(GameKey=GI_Block)", false},
        {u"", false},
        // Names: quoted, anything up to the next quotation mark, or a bare run.
        {u"(GameKey=\"GI with, spaces)\",Value=1)", true, u"GI with, spaces)", 1},
        {u"(GameKey=\"\",Value=1)", true, u"", 1},
        {u"(GameKey=\"GI_Block,Value=1)", false},
        {u"(GameKey=,Value=1)", false},
        {u"(GameKey=GI-Block,Value=1)", false},
        {u"(GameKey=GI_Block Value=3)", true, u"GI_Block", 3},
        {u"(GameKey=GI_Block,,Value=1)", false},
        // Either part may be missing; the order is fixed.
        {u"(GameKey=GI_Block)", true, u"GI_Block", 1},
        {u"(Value=0.5)", true, u"", 0.5f},
        {u"()", true, u"", 1},
        {u"(Value=1,GameKey=GI_Block)", false},
        {u"(GameKey=GI_Block,Value=1", false},
        {u"(GameKey=GI_Block,Value=1,)trailing text", true, u"GI_Block", 1},
        // Numbers: sign first, "f" after the first character ends the number.
        {u"(Value=+2.5)", true, u"", 2.5f},
        {u"(Value=-.25)", true, u"", -0.25f},
        {u"(Value=1f)", true, u"", 1},
        {u"(Value=1f5)", true, u"", 1},
        {u"(Value=1.2.3)", true, u"", 1.2f},
        {u"(Value=007)", true, u"", 7},
        {u"(Value=.)", true, u"", 0},
        {u"(Value=-)", true, u"", 0},
        {u"(Value=f1)", false},
        {u"(Value=1F)", false},
        {u"(Value=1e5)", false},
        {u"(Value=--1)", false},
        {u"(Value=1-)", false},
        {u"(Value=)", false},
        {u"(Value=abc)", false},
        {u"(Value= ,)", false},
        // 63 characters are taken, 64 are not.
        {u"(Value=" + zeros62 + u"1)", true, u"", 1},
        {u"(Value=" + zeros63 + u"1)", false},
        {u"(Value=-" + zeros63 + u")", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.text));
        std::u16string name = Unchanged;
        float value = UnchangedValue;
        ASSERT_EQ(ParseBindingText(c.text, name, value), c.ok);
        EXPECT_EQ(name, c.ok ? c.name : Unchanged);
        EXPECT_EQ(value, c.ok ? c.value : UnchangedValue);
    }
}

TEST(ParseBindingText, ReadsNumbersIndependentlyOfTheLocale) {
    std::u16string name;
    float value = 0;
    ASSERT_TRUE(ParseBindingText(u"(Value=0.1)", name, value));
    EXPECT_EQ(value, 0.1f);
    ASSERT_TRUE(ParseBindingText(u"(Value=1" + std::u16string(39, u'0') + u")", name, value));
    EXPECT_TRUE(std::isinf(value));
}

TEST(FormatBindingText, SixDecimalsAndNoQuotes) {
    const struct {
        float value;
        const char16_t* expected;
    } cases[] = {
        {1, u"(Gamekey=GI_Block,Value=1.000000)"},
        {-1, u"(Gamekey=GI_Block,Value=-1.000000)"},
        {0.5f, u"(Gamekey=GI_Block,Value=0.500000)"},
        {1.0f / 3, u"(Gamekey=GI_Block,Value=0.333333)"},
        {2.0f / 3, u"(Gamekey=GI_Block,Value=0.666667)"},
        {1e-7f, u"(Gamekey=GI_Block,Value=0.000000)"},
        {-0.0f, u"(Gamekey=GI_Block,Value=-0.000000)"},
        {1234567, u"(Gamekey=GI_Block,Value=1234567.000000)"},
        {std::numeric_limits<float>::max(),
         u"(Gamekey=GI_Block,Value=340282346638528859811704183484516925440.000000)"},
    };
    for (const auto& c : cases) {
        std::u16string text;
        ASSERT_TRUE(FormatBindingText(u"GI_Block", c.value, text)) << c.value;
        EXPECT_EQ(text, c.expected) << c.value;
    }
}

TEST(FormatBindingText, RefusesWhatWouldNotReadBack) {
    // 9 + name + 7 + 8 + 1 characters must stay below the 256-character buffer.
    const std::u16string longest(230, u'G');
    const struct {
        std::u16string name;
        float value;
        bool ok;
    } cases[] = {
        {longest, 1, true},
        {longest + u"G", 1, false},
        {longest, -1, false},
        {u"", 1, false},
        {u"GI Block", 1, false},
        {u"GI\"Block", 1, false},
        {u"GI_Block", std::numeric_limits<float>::infinity(), false},
        {u"GI_Block", -std::numeric_limits<float>::infinity(), false},
        {u"GI_Block", std::numeric_limits<float>::quiet_NaN(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.name) + " " + std::to_string(c.value));
        std::u16string text = Unchanged;
        EXPECT_EQ(FormatBindingText(c.name, c.value, text), c.ok);
        if (!c.ok) {
            EXPECT_EQ(text, Unchanged);
            continue;
        }
        EXPECT_EQ(text.size(), 255u);
        std::u16string name;
        float value = 0;
        EXPECT_TRUE(ParseBindingText(text, name, value));
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(value, c.value);
    }
}
