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

// The bound entries as "K<index>=IK_name" for the keyboard's and "P<index>=..." for the
// gamepad's ("?" outside the table), or "none".
std::string Bound(const Pages& pages) {
    std::string text;
    for (size_t i = 0, n = BindableActionCount; i < 2 * n; ++i) {
        const int32_t code = (i < n ? pages.keyboard : pages.gamepad)[i % n].keyCode;
        const std::u16string name = KeyCodeToName(code);
        if (code != 0)
            text += (text.empty() ? "" : " ") + std::string(i < n ? "K" : "P") +
                    std::to_string(i % n) + "=" + (name.empty() ? "?" : Utf16ToUtf8(name));
    }
    return text.empty() ? "none" : text;
}

std::string Loaded(ConfigStore* store, const std::u16string& layout) {
    Pages pages;
    LoadBindings(pages.keyboard, pages.gamepad, store, layout);
    return Bound(pages);
}

// "[name] value" read; "" when the text is refused and name and value stay unchanged.
std::string Parse(const Case& c) {
    std::u16string name = u"unchanged";
    float value = -42;
    const bool parsed = ParseBindingText(CaseText(c[1]), name, value);
    char number[32];
    std::snprintf(number, sizeof number, "] %.9g", value);
    return parsed || name != u"unchanged" || value != -42 ? "[" + Utf16ToUtf8(name) + number : "";
}

std::string Load(const Case& c) {
    const UserFolder folder("[InputQWERTY]\r\n" + Unescape(c[1]) + "\r\n");
    return Loaded(folder.store.get(), u"InputQWERTY");
}

} // namespace

// Each case of data/cases.txt.
TEST(InputFiles, Cases) {
    ExpectCases(TEST_DATA("cases.txt"), {{"ParseBindingText", Parse}, {"LoadBindings", Load}});
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

// Damaged values, long ones too, bind nothing and stop no other key.
TEST(LoadBindings, LongDamagedValues) {
    for (const std::string& value : {"(GameKey=GI_Block,Value=" + std::string(100000, '1') + ")",
                                     "(GameKey=" + std::string(100000, 'G') + ")"}) {
        const UserFolder folder("[InputQWERTY]\r\nIK_H=(GameKey=GI_Block)\r\nIK_K=" + value);
        EXPECT_EQ(Loaded(folder.store.get(), u"InputQWERTY"), "K8=IK_H") << value.substr(0, 40);
    }
}

// Damaged files as "User" and "DIMapping": a layout is what the readable part of the mapping
// names, else the built-in one, and the bindings what the readable part of the user file
// names, else the defaults.
TEST(FaultBindings, DamagedFilesLoad) {
    const UserFolder clean("");
    ScanCodeTable builtIn{};
    ApplyDefaultKeyboardLayout(builtIn);
    for (const fault::BadFile& bad : fault::BadFiles()) {
        const UserFolder folder(bad.bytes() + "\r\n[InputQWERTY]\r\nIK_Z=(GameKey=GI_Block)\r\n",
                                bad.bytes() + "\r\n[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
        ConfigStore* store = folder.store.get();
        const bool mapped = store->GetFile(u"DIMapping")->FindSection(u"InputAZERTY", false);
        const bool bound = store->GetFile(u"User")->FindSection(u"InputQWERTY", false);
        for (const std::u16string layout : {u"InputQWERTY", u"InputAZERTY", u"InputQWERTZ", u""}) {
            ScanCodeTable table{}, expected{};
            if (layout == u"InputAZERTY" && mapped)
                expected[0x10] = KeyNameToCode(u"IK_A");
            else
                expected = builtIn;
            LoadKeyboardLayout(table, store, layout);
            EXPECT_TRUE(table == expected) << bad.name << " " << Utf16ToUtf8(layout);
            EXPECT_EQ(Loaded(store, layout), layout == u"InputQWERTY" && bound
                                                 ? "K8=IK_Z"
                                                 : Loaded(clean.store.get(), layout))
                << bad.name << " " << Utf16ToUtf8(layout);
        }
    }
}

// The section becomes the fixed bindings, then index by index the keyboard's and the gamepad's
// bound entries (data/saved-User.ini). False, writing nothing, without a store, a page never
// made or when read-only.
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
    EXPECT_EQ(saved, ReadAll(TEST_DATA("saved-User.ini")));
    SetReadOnly(folder.folder.Path(u"User.ini"), true);
    EXPECT_FALSE(SaveBindings(pages.keyboard, pages.gamepad, store, u"InputQWERTY"));
    EXPECT_EQ(folder.User(), saved);
    const UserFolder unnamed("junk before any section\r\n" + viewport);
    SaveBindings(pages.keyboard, pages.gamepad, unnamed.store.get(), u"");
    EXPECT_EQ(unnamed.User(), "\xEF\xBB\xBF" + viewport);
    EXPECT_TRUE(SaveBindings(pages.keyboard, pages.gamepad, unnamed.store.get(), u"InputAZERTY"));
    EXPECT_TRUE(unnamed.User().starts_with("\xEF\xBB\xBF[InputAZERTY]\r\nIK_C=(GameKey="));
}

// Bindings saved and loaded back from the file are the bindings saved: each layout's defaults
// with one action moved to another key and one left unbound.
TEST(SaveBindings, LoadBackAsSaved) {
    for (const std::u16string layout : {u"InputQWERTY", u"InputAZERTY", u"InputQWERTZ"}) {
        const UserFolder folder("");
        Pages pages;
        LoadBindings(pages.keyboard, pages.gamepad, folder.store.get(), layout);
        pages.keyboard[8].keyCode = KeyNameToCode(u"IK_G");
        pages.gamepad[3].keyCode = 0;
        ASSERT_TRUE(SaveBindings(pages.keyboard, pages.gamepad, folder.store.get(), layout));
        const UserFolder reread(folder.User());
        EXPECT_EQ(Loaded(reread.store.get(), layout), Bound(pages)) << Utf16ToUtf8(layout);
    }
}
