// Key names, the keyboard layouts of "DIMapping" and the bindings of "User" and their texts.

#include "config/ConfigStore.h"
#include "config/ConfigTestSupport.h"
#include "config/FaultInputs.h"
#include "config/Text.h"
#include "input/BindingText.h"
#include "input/Bindings.h"
#include "input/KeyNames.h"
#include "input/KeyboardLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>

namespace {

// A fresh folder with a ConfigStore, User and DIMapping holding the bytes given.
struct UserFolder {
    explicit UserFolder(const std::string& user, const std::string& mapping = "") {
        WriteAll(folder.Path(u"User.ini"), user);
        WriteAll(folder.Path(u"DIMapping.ini"), mapping);
    }
    std::string User() const { return ReadAll(folder.Path(u"User.ini")); }

    TempFolder folder;
    std::unique_ptr<ConfigStore> store = std::make_unique<ConfigStore>(folder.Directory());
};

struct Pages {
    BindingPage keyboard = MakeBindingPage(BindingPageKind::Keyboard);
    BindingPage gamepad = MakeBindingPage(BindingPageKind::Gamepad);
};

// The bindings loaded as " index=IK_name" ("?" outside the table), the keyboard's before "|".
std::string Loaded(ConfigStore* store, const std::u16string& layout) {
    Pages pages;
    LoadBindings(pages.keyboard, pages.gamepad, store, layout);
    std::string text;
    for (size_t i = 0, n = BindableActionCount; i < 2 * n; ++i) {
        const int32_t code = (i < n ? pages.keyboard : pages.gamepad)[i % n].keyCode;
        text += i == n ? "|" : "";
        if (code != 0)
            text += " " + std::to_string(i % n) + "=" +
                    (KeyCodeToName(code).empty() ? "?" : Utf16ToUtf8(KeyCodeToName(code)));
    }
    return text;
}

// The name and value read; "" when the text is refused and name and value stay unchanged.
std::string Parse(const std::u16string& text) {
    std::u16string name = u"unchanged";
    float value = -42;
    const bool parsed = ParseBindingText(text, name, value);
    char number[32];
    std::snprintf(number, sizeof number, " %.9g", value);
    return parsed || name != u"unchanged" || value != -42 ? Utf16ToUtf8(name) + number : "";
}

} // namespace

TEST(ParseBindingText, ReadsBothFormsAndRefusesTheRest) {
    const std::u16string zeros(62, u'0');
    const struct {
        std::u16string text;
        const char* expected = ""; // refused
    } cases[] = {
        // clang-format off
        // The files' two forms; white space (up to 32) before any part; whole words in any case.
        {u"(GameKey=\"GI_Cancel\",Value=1)", "GI_Cancel 1"},
        {u"(Gamekey=GI_AxisLeftY,Value=-1.000000)", "GI_AxisLeftY -1"},
        {u"( gamekey=GI_Block , value= 1 )", "GI_Block 1"},
        {u" \t\r\n(\x01GAMEKEY=\x1F\"GI_Block\"\x20,VALUE=\t2\n)", "GI_Block 2"},
        {u"(GameKey =GI_Block)"}, {u"GameKey=GI_Block)"}, {u"x(GameKey=GI_Block)"}, {u""},
        // Names: quoted, anything up to the next quotation mark, or a bare run.
        {u"(GameKey=\"GI with, spaces)\",Value=1)", "GI with, spaces) 1"},
        {u"(GameKey=\"\",Value=1)", " 1"}, {u"(GameKey=GI_Block Value=3)", "GI_Block 3"},
        {u"(GameKey=\"GI_Block,Value=1)"}, {u"(GameKey=,Value=1)"}, {u"(GameKey=GI-Block,Value=1)"},
        // Either part may be missing, not reordered; anything after ")" is ignored.
        {u"(GameKey=GI_Block)", "GI_Block 1"}, {u"(Value=0.5)", " 0.5"}, {u"()", " 1"},
        {u"(GameKey=GI_Block,Value=1,)trailing text", "GI_Block 1"},
        {u"(Value=1,GameKey=GI_Block)"}, {u"(GameKey=GI_Block,Value=1"}, {u"(GameKey=B,,Value=1)"},
        // Numbers: a sign first, an "f" later ends them; read as strtod in the "C" locale does.
        {u"(Value=+2.5)", " 2.5"}, {u"(Value=-.25)", " -0.25"}, {u"(Value=1f5)", " 1"},
        {u"(Value=1.2.3)", " 1.20000005"}, {u"(Value=007)", " 7"}, {u"(Value=.)", " 0"},
        {u"(Value=-)", " 0"}, {u"(Value=0.1)", " 0.100000001"},
        {u"(Value=1" + zeros.substr(23) + u")", " inf"}, {u"(Value=" + zeros + u"1)", " 1"},
        {u"(Value=" + zeros + u"01)"}, {u"(Value=-" + zeros + u"0)"}, {u"(Value=f1)"},
        {u"(Value=1F)"}, {u"(Value=1e5)"}, {u"(Value=--1)"}, {u"(Value=1-)"}, {u"(Value=)"},
        {u"(Value=abc)"}, {u"(Value= ,)"},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.text), c.expected) << Utf16ToUtf8(c.text);
}

// Six decimals, no quotes; refused (text unchanged) unless it reads back and fits 256 characters.
TEST(FormatBindingText, SixDecimalsOrRefused) {
    const float max = std::numeric_limits<float>::max(), inf = max * 2, nan = inf - inf;
    const std::u16string longest(230, u'G');
    const struct {
        std::u16string name;
        float value;
        std::u16string expected = u"unchanged"; // refused
    } cases[] = {
        // clang-format off
        {u"GI_Block", -2.0f / 3, u"(Gamekey=GI_Block,Value=-0.666667)"},
        {longest, 1, u"(Gamekey=" + longest + u",Value=1.000000)"}, {longest + u"G", 1}, {u"", 1},
        {u"GI Block", 1}, {u"GI\"Block", 1}, {u"GI_Block", inf}, {u"GI_Block", nan},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::u16string text = u"unchanged";
        EXPECT_EQ(FormatBindingText(c.name, c.value, text), c.expected != u"unchanged");
        EXPECT_EQ(text, c.expected) << c.value;
    }
}

// 186 named codes and 70 "IK_Unknown" and the code in hexadecimal; names compare exactly.
TEST(KeyNames, EveryCodeHasOneNameThatReadsBack) {
    int unknown = 0;
    for (int32_t code = 0; code < InputKeyCodeCount; ++code) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(code));
        unknown += KeyCodeToName(code) == u"IK_Unknown" + Widen(hex);
        EXPECT_EQ(KeyNameToCode(KeyCodeToName(code)), code) << Utf16ToUtf8(KeyCodeToName(code));
    }
    EXPECT_EQ(unknown, 70);
    EXPECT_EQ(KeyCodeToName(-1) + KeyCodeToName(256) + KeyCodeToName(INT32_MIN), u"");
    for (const char16_t* name : {u"", u"ik_space", u"IK_Space ", u"IK_Unknown0a", u"DIK_SPACE"})
        EXPECT_EQ(KeyNameToCode(name), 0) << Utf16ToUtf8(name);
}

// Without the store, the layout's section or a name: the built-in layout, mapping the 100 keys
// with a DIK_ name, and the default bindings, whose keys of forward, left, GI_UseAbility and
// GI_Medallion follow the exact layout name, and the gamepad page's do not.
TEST(InputFiles, DefaultsWithoutTheirSection) {
    ScanCodeTable builtIn{};
    ApplyDefaultKeyboardLayout(builtIn);
    EXPECT_EQ(std::ranges::count(builtIn, 0), 256 - 100);
    const UserFolder other("[Input]\r\nIK_K=(GameKey=GI_Block)\r\n", "[Input]\r\nDIK_Q=IK_A\r\n");
    // clang-format off
    for (const auto& [store, layout, keys] : {
             std::tuple{other.store.get(), u"", "W A Q Z Pad_A_CROSS"},
             {other.store.get(), u"InputQWERTY", "W A Q Z Pad_A_CROSS"},
             {other.store.get(), u"inputazerty", "W A Q Z Pad_A_CROSS"},
             {other.store.get(), u"InputQWERTZ", "W A Q Y Pad_A_CROSS"},
             {static_cast<ConfigStore*>(nullptr), u"InputAZERTY", "Z Q A W Pad_A_CROSS"}}) {
        // clang-format on
        ScanCodeTable table{};
        LoadKeyboardLayout(table, store, layout);
        Pages pages;
        LoadBindings(pages.keyboard, pages.gamepad, store, layout);
        std::string got = table == builtIn ? "" : "not the built-in layout ";
        for (const int index : {15, 23, 20, 25})
            got += Utf16ToUtf8(KeyCodeToName(pages.keyboard[index].keyCode)).substr(3) + " ";
        EXPECT_EQ(got + Utf16ToUtf8(KeyCodeToName(pages.gamepad[22].keyCode)).substr(3), keys)
            << Utf16ToUtf8(layout);
    }
}

// A section writes the valid entries it names (first values) over an earlier layout's.
TEST(KeyboardLayout, SectionWritesTheValidEntriesItNames) {
    ScanCodeTable table{};
    ApplyDefaultKeyboardLayout(table);
    const UserFolder folder("", "[InputAZERTY]\r\nDIK_Q=IK_A\r\nDIK_A=IK_Q\r\nDIK_W=IK_Bogus\r\n"
                                "DIK_E=ik_r\r\nDIK_BOGUS=IK_B\r\ndik_t=IK_B\r\nDIK_R=IK_T\r\n"
                                "DIK_R=IK_Y\r\nDIK_LWIN=IK_F1\r\nDIK_Z=IK_None\r\n"
                                "[InputQWERTZ]\r\nDIK_Y=IK_Z\r\n");
    ScanCodeTable expected = table;
    LoadKeyboardLayout(table, folder.store.get(), u"InputAZERTY");
    for (const auto& [scanCode, name] :
         {std::pair{0x10, u"IK_A"}, {0x1E, u"IK_Q"}, {0x13, u"IK_T"}, {0x2C, u"IK_None"}})
        expected[scanCode] = KeyNameToCode(name);
    EXPECT_EQ(table, expected);
    LoadKeyboardLayout(table, folder.store.get(), u"InputQWERTZ");
    expected[0x15] = KeyNameToCode(u"IK_Z");
    EXPECT_EQ(table, expected);
}

TEST(LoadBindings, SectionBindsByNameAndExactValue) {
    const std::pair<std::string, const char*> cases[] = {
        // clang-format off
        // Keys in ascending order, the later winning; "IK_Pad" keys bind the gamepad page only.
        {"IK_W=(GameKey=GI_AxisLeftY)\r\nIK_Up=(GameKey=GI_AxisLeftY)", " 15=IK_W|"}, {"", "|"},
        {"IK_Pad_A_CROSS=(Gamekey=GI_Accept_Evade,Value=1.000000)", "| 22=IK_Pad_A_CROSS"},
        {"IK_PageUp=(Gamekey=GI_Accept_Evade,Value=1.000000)", " 22=IK_PageUp|"},
        {"IK_Pad_LeftAxisX=(GameKey=GI_AxisLeftX)", "| 14=IK_Pad_LeftAxisX 23=IK_Pad_LeftAxisX"},
        // The exact name and value; no Value= reads as 1.
        {"IK_K=(GameKey=GI_AxisLeftX,Value=-1)", " 23=IK_K|"}, {"IK_K=(GameKey=gi_block)", "|"},
        {"IK_K=(GameKey=GI_AxisLeftX,Value=0.5)", "|"}, {"IK_K=(GameKey=GI_Block)", " 8=IK_K|"},
        // A key's first value only, passing over its own fixed binding, which binds nothing.
        {"IK_K=(GameKey=GI_AxisLeftX,Value=-1)\r\nIK_K=(GameKey=GI_Block)", " 23=IK_K|"},
        {"IK_F5=(GameKey=\"GI_F5\",Value=1)\r\nIK_F5=(Gamekey=GI_Block,Value=1.0)", " 8=IK_F5|"},
        {"IK_F5=(GameKey=GI_Cancel)\r\nIK_F5=(GameKey=GI_Block)", "|"},
        {"IK_K=GI_Block\r\nIK_K=(GameKey=GI_UseItem)", "|"}, {"IK_F5=(GameKey=GI_F5)", "|"},
        // Keys outside the name table are skipped; IK_None unbinds.
        {"IK_K=(GameKey=GI_Block)\r\nIK_Kx=(GameKey=GI_Block)\r\nIK_Pad=(GameKey=GI_Holster)\r\n"
         "GI_Block=(GameKey=GI_UseItem)", " 8=IK_K|"},
        {"IK_K=(GameKey=GI_Block)\r\nIK_None=(GameKey=GI_Block)", "|"},
        // clang-format on
    };
    const auto load = [](const std::string& lines) {
        const UserFolder folder("[InputQWERTY]\r\n" + lines + "\r\n");
        return Loaded(folder.store.get(), u"InputQWERTY");
    };
    for (const auto& [lines, bound] : cases)
        EXPECT_EQ(load(lines), bound) << lines;
    // Damaged values, long ones too, bind nothing and stop no other key.
    for (const std::string& value : {"(GameKey=GI_Block,Value=" + std::string(100000, '1') + ")",
                                     "(GameKey=" + std::string(100000, 'G') + ")"})
        EXPECT_EQ(load("IK_H=(GameKey=GI_Block)\r\nIK_K=" + value), " 8=IK_H|")
            << value.substr(0, 40);
}

// Damaged files as "User" and "DIMapping": every layout loads, binding codes of the table only.
TEST(FaultBindings, DamagedFilesLoad) {
    for (const fault::BadFile& bad : fault::BadFiles()) {
        const UserFolder folder(bad.bytes() + "\r\n[InputQWERTY]\r\nIK_Z=(GameKey=GI_Block)\r\n",
                                bad.bytes() + "\r\n[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
        for (const std::u16string layout : {u"InputQWERTY", u"InputAZERTY", u"InputQWERTZ", u""}) {
            ScanCodeTable table{};
            LoadKeyboardLayout(table, folder.store.get(), layout);
            const std::string bound = Loaded(folder.store.get(), layout);
            EXPECT_EQ(bound.find('?'), std::string::npos) << bad.name << Utf16ToUtf8(layout);
        }
    }
}

// The section becomes the fixed bindings, then index by index the keyboard's and the gamepad's
// bound entries. False, writing nothing, without a store, a page never made or when read-only.
TEST(SaveBindings, FixedBindingsThenTheBoundEntries) {
    const std::string viewport = "[Viewport]\r\nWidth=1280\r\n\r\n";
    const UserFolder folder("[InputQWERTY]\r\nIK_Tilde=(GameKey=GI_Custom)\r\n" + viewport);
    Pages pages;
    pages.keyboard[3].keyCode = pages.keyboard[8].keyCode = KeyNameToCode(u"IK_F5");
    pages.keyboard[16].keyCode = pages.gamepad[16].keyCode = KeyNameToCode(u"IK_S");
    pages.gamepad[14].keyCode = pages.gamepad[23].keyCode = KeyNameToCode(u"IK_Pad_LeftAxisX");
    ConfigStore* store = folder.store.get();
    EXPECT_FALSE(SaveBindings(pages.keyboard, pages.gamepad, nullptr, u"InputQWERTY") ||
                 SaveBindings(pages.keyboard, {}, store, u"InputQWERTY") ||
                 SaveBindings({}, pages.gamepad, store, u"InputQWERTY"));
    EXPECT_EQ(folder.User(), "[InputQWERTY]\r\nIK_Tilde=(GameKey=GI_Custom)\r\n" + viewport);
    EXPECT_TRUE(SaveBindings(pages.keyboard, pages.gamepad, store, u"InputQWERTY"));
    const std::string saved = folder.User();
    const std::string parts[] = {
        "IK_F5=(GameKey=\"GI_F5\",Value=1)\r\nIK_F5=(Gamekey=GI_Steel,Value=1.000000)\r\n"
        "IK_F5=(Gamekey=GI_Block,Value=1.000000)\r\nIK_I=",
        "IK_Pad_LeftAxisX=(Gamekey=GI_AxisLeftX,Value=1.000000)\r\n"
        "IK_Pad_LeftAxisX=(Gamekey=GI_AxisLeftX,Value=1.000000)\r\nIK_Pad_RightAxisX=",
        "IK_S=(Gamekey=GI_AxisLeftY,Value=-1.000000)\r\nIK_S=(Gamekey=GI_AxisLeftY,Value=1.000000)"
        "\r\nIK_Up=(GameKey=\"GI_Up\",Value=1)\r\n\r\n" +
            viewport};
    for (const std::string& lines : parts)
        EXPECT_NE(saved.find(lines), std::string::npos) << lines << "\nin\n" << saved;
    const size_t lines = FixedBindings().size() + 6 + 2 + 3; // the header, a blank, Viewport
    EXPECT_EQ(std::ranges::count(saved, '\n'), lines);
    SetReadOnly(folder.folder.Path(u"User.ini"), true);
    EXPECT_FALSE(SaveBindings(pages.keyboard, pages.gamepad, store, u"InputQWERTY"));
    EXPECT_EQ(folder.User(), saved);
    const UserFolder unnamed("junk before any section\r\n" + viewport);
    SaveBindings(pages.keyboard, pages.gamepad, unnamed.store.get(), u"");
    EXPECT_EQ(unnamed.User(), "\xEF\xBB\xBF" + viewport);
    EXPECT_TRUE(SaveBindings(pages.keyboard, pages.gamepad, unnamed.store.get(), u"InputAZERTY"));
    EXPECT_TRUE(unnamed.User().starts_with("\xEF\xBB\xBF[InputAZERTY]\r\nIK_C=(GameKey="));
}
