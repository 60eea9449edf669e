#include "config/Text.h"
#include "input/KeyNames.h"
#include "input/ScanCodeNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The codes without a proper name, as ranges of the published list.
constexpr struct {
    int first;
    int last;
} UnknownRanges[] = {
    {0x04, 0x07}, {0x0A, 0x0C}, {0x0E, 0x0F}, {0x15, 0x1A}, {0x1C, 0x1F},
    {0x3A, 0x40}, {0x5B, 0x5F}, {0x9E, 0x9F}, {0xA4, 0xB8}, {0xC6, 0xC7},
    {0xD8, 0xDA}, {0xDF, 0xE3}, {0xEE, 0xEF}, {0xF4, 0xF5}, {0xFD, 0xFE},
};

bool IsUnknown(int code) {
    for (const auto& range : UnknownRanges) {
        if (code >= range.first && code <= range.last)
            return true;
    }
    return false;
}

} // namespace

TEST(KeyNames, EveryCodeHasOneNameThatReadsBack) {
    std::set<std::u16string> names;
    int unknown = 0;
    for (int32_t code = 0; code < 256; ++code) {
        const std::u16string name = KeyCodeToName(code);
        SCOPED_TRACE(code);
        ASSERT_TRUE(name.starts_with(u"IK_")) << Utf16ToUtf8(name);
        EXPECT_EQ(KeyNameToCode(name), code) << Utf16ToUtf8(name);
        EXPECT_EQ(name.starts_with(u"IK_Unknown"), IsUnknown(code)) << Utf16ToUtf8(name);
        unknown += IsUnknown(code);
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 256u);
    EXPECT_EQ(unknown, 70);
}

TEST(KeyNames, NamesAtTheEdgesOfTheTable) {
    const struct {
        int32_t code;
        const char16_t* name;
    } cases[] = {
        {0, u"IK_None"},
        {1, u"IK_LeftMouse"},
        {3, u"IK_MiddleMouse"},
        {4, u"IK_Unknown04"},
        {10, u"IK_Unknown0A"},
        {12, u"IK_Unknown0C"},
        {18, u"IK_Alt"},
        {48, u"IK_0"},
        {57, u"IK_9"},
        {65, u"IK_A"},
        {90, u"IK_Z"},
        {96, u"IK_NumPad0"},
        {111, u"IK_NumSlash"},
        {112, u"IK_F1"},
        {135, u"IK_F24"},
        {136, u"IK_Pad_A_CROSS"},
        {155, u"IK_Pad_RightAxisY"},
        {156, u"IK_NumLock"},
        {157, u"IK_ScrollLock"},
        {158, u"IK_Unknown9E"},
        {164, u"IK_UnknownA4"},
        {184, u"IK_UnknownB8"},
        {185, u"IK_Unicode"},
        {192, u"IK_Tilde"},
        {193, u"IK_Mouse4"},
        {197, u"IK_Mouse8"},
        {200, u"IK_Joy1"},
        {215, u"IK_Joy16"},
        {222, u"IK_SingleQuote"},
        {228, u"IK_MouseX"},
        {237, u"IK_MouseWheelDown"},
        {243, u"IK_JoyR"},
        {252, u"IK_NoName"},
        {254, u"IK_UnknownFE"},
        {255, u"IK_Last"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyCodeToName(c.code), c.name) << c.code;
}

TEST(KeyNames, CodesOutsideTheTableHaveNoName) {
    for (const int32_t code : {-1, 256, 300, INT32_MIN, INT32_MAX})
        EXPECT_EQ(KeyCodeToName(code), u"") << code;
}

TEST(KeyNames, NamesOutsideTheTableReadAsNone) {
    for (const char16_t* name : {u"", u"IK_None", u"ik_space", u"IK_SPACE", u"IK_Space ",
                                 u"IK_Unknown0a", u"IK_Unknown100", u"DIK_SPACE", u"Space"})
        EXPECT_EQ(KeyNameToCode(name), 0) << Utf16ToUtf8(name);
    EXPECT_EQ(KeyNameToCode(u"IK_Space"), 32);
}

TEST(ScanCodeNames, HundredDistinctNamesAndCodes) {
    std::set<std::u16string_view> names;
    std::set<uint8_t> codes;
    for (const ScanCodeName& entry : ScanCodeNames()) {
        EXPECT_TRUE(entry.name.starts_with(u"DIK_"));
        names.insert(entry.name);
        codes.insert(entry.scanCode);
    }
    EXPECT_EQ(names.size(), 100u);
    EXPECT_EQ(codes.size(), 100u);
}

TEST(ScanCodeNames, FindsExactNamesOnly) {
    const struct {
        const char16_t* name;
        int expected; // -1: not found
    } cases[] = {
        {u"DIK_ESCAPE", 0x01},    {u"DIK_0", 0x0B},
        {u"DIK_BACKSPACE", 0x0E}, {u"DIK_LALT", 0x38},
        {u"DIK_RALT", 0xB8},      {u"DIK_F11", 0x57},
        {u"DIK_NEXT", 0xD1},      {u"DIK_DELETE", 0xD3},
        {u"DIK_BACK", -1},        {u"DIK_LMENU", -1},
        {u"dik_q", -1},           {u"DIK_NUMPADENTER", -1},
        {u"DIK_LWIN", -1},        {u"", -1},
    };
    for (const auto& c : cases) {
        const auto found = FindScanCode(c.name);
        EXPECT_EQ(found ? *found : -1, c.expected) << Utf16ToUtf8(c.name);
    }
}
