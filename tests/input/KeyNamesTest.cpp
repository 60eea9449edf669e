#include "config/Text.h"
#include "input/KeyNames.h"
#include "input/ScanCodeNames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

TEST(KeyNames, EveryCodeHasOneNameThatReadsBack) {
    std::set<std::u16string> names;
    for (int32_t code = 0; code < 256; ++code) {
        const std::u16string name = KeyCodeToName(code);
        SCOPED_TRACE(Utf16ToUtf8(name));
        EXPECT_TRUE(name.starts_with(u"IK_"));
        EXPECT_EQ(KeyNameToCode(name), code);
        char unknown[16];
        std::snprintf(unknown, sizeof unknown, "IK_Unknown%02X", static_cast<unsigned>(code));
        if (name.starts_with(u"IK_Unknown")) {
            EXPECT_EQ(name, Widen(unknown));
        }
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 256u);
    // Outside the table: no name, and names compare exactly, an unknown one reading as IK_None.
    for (const int32_t code : {-1, 256, INT32_MIN, INT32_MAX})
        EXPECT_EQ(KeyCodeToName(code), u"") << code;
    for (const char16_t* name : {u"", u"ik_space", u"IK_SPACE", u"IK_Space ", u"IK_Unknown0a",
                                 u"IK_Unknown100", u"DIK_SPACE", u"Space"})
        EXPECT_EQ(KeyNameToCode(name), 0) << Utf16ToUtf8(name);
}

// Names on both sides of every gap in the named codes.
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

TEST(ScanCodeNames, HundredDistinctNamesFoundExactly) {
    std::set<uint8_t> codes;
    for (const ScanCodeName& entry : ScanCodeNames()) {
        EXPECT_TRUE(entry.name.starts_with(u"DIK_"));
        EXPECT_EQ(FindScanCode(entry.name), entry.scanCode) << Utf16ToUtf8(entry.name);
        codes.insert(entry.scanCode);
    }
    EXPECT_EQ(codes.size(), 100u);
    // DirectInput's alternate names, and keys a layout can never map.
    EXPECT_EQ(FindScanCode(u"DIK_BACKSPACE"), 0x0E);
    EXPECT_EQ(FindScanCode(u"DIK_RALT"), 0xB8);
    for (const char16_t* name :
         {u"DIK_BACK", u"DIK_LMENU", u"dik_q", u"DIK_NUMPADENTER", u"DIK_LWIN", u""})
        EXPECT_EQ(FindScanCode(name), std::nullopt) << Utf16ToUtf8(name);
}
