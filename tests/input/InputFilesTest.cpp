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
#include <memory>
#include <string>

namespace {

// A fresh folder with a ConfigStore, User and DIMapping holding the bytes given.
struct UserFolder : TempFolder {
    explicit UserFolder(const std::string& user, const std::string& mapping = "") {
        WriteAll(Path(u"User.ini"), user);
        WriteAll(Path(u"DIMapping.ini"), mapping);
    }
    std::string User() const { return ReadAll(Path(u"User.ini")); }

    std::unique_ptr<ConfigStore> store = std::make_unique<ConfigStore>(Directory());
};

struct Pages {
    Pages() = default;
    Pages(ConfigStore* store, std::u16string name) { LoadBindings(keyboard, gamepad, store, name); }
    BindingPage keyboard = MakeBindingPage(BindingPageKind::Keyboard);
    BindingPage gamepad = MakeBindingPage(BindingPageKind::Gamepad);
};

// The bound entries, "K<index>=IK_name" on the keyboard page and "P..." on the pad's, or "none".
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
    return Bound(Pages(folder.store.get(), u"InputQWERTY"));
}

std::string Format(const Case& c) {
    std::u16string text = u"unchanged";
    const bool written = FormatBindingText(CaseText(c[1]), std::stof(c[2]), text);
    return (written ? "" : "refused ") + Utf16ToUtf8(text);
}

std::string Defaults(const Case& c) {
    const UserFolder other("[Input]\r\nIK_K=(GameKey=GI_Block)\r\n", "[Input]\r\nDIK_Q=IK_A\r\n");
    ConfigStore* store = c[1] == "-" ? nullptr : other.store.get();
    ScanCodeTable table{}, builtIn{};
    ApplyDefaultKeyboardLayout(builtIn);
    EXPECT_EQ(std::ranges::count(builtIn, 0), 256 - 100); // the 100 keys with a DIK_ name
    LoadKeyboardLayout(table, store, Widen(c[2]));
    const Pages pages(store, Widen(c[2]));
    std::string got = table == builtIn ? "" : "not the built-in layout ";
    for (const int index : {15, 23, 20, 25})
        got += Utf16ToUtf8(KeyCodeToName(pages.keyboard[index].keyCode)).substr(3) + " ";
    return got + Utf16ToUtf8(KeyCodeToName(pages.gamepad[22].keyCode)).substr(3);
}

} // namespace

TEST(InputFiles, Cases) {
    ExpectCases(TEST_DATA("cases.txt"), {{"ParseBindingText", Parse},
                                         {"LoadBindings", Load},
                                         {"FormatBindingText", Format},
                                         {"Defaults", Defaults}});
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
        EXPECT_EQ(Bound(Pages(folder.store.get(), u"InputQWERTY")), "K8=IK_H")
            << value.substr(0, 40);
    }
}

// Damaged "User" and "DIMapping" files: the layout is what the mapping's readable part names,
// else the built-in one; the bindings what the user file's readable part names, else defaults.
TEST(FaultBindings, DamagedFilesLoad) {
    const UserFolder clean("");
    ScanCodeTable builtIn{};
    ApplyDefaultKeyboardLayout(builtIn);
    for (const fault::BadFile& bad : fault::BadFiles()) {
        const UserFolder folder(bad.bytes() + "\r\n[InputQWERTY]\r\nIK_Z=(GameKey=GI_Block)\r\n",
                                bad.bytes() + "\r\n[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
        const bool mapped = folder.store->GetFile(u"DIMapping")->FindSection(u"InputAZERTY", false);
        const bool bound = folder.store->GetFile(u"User")->FindSection(u"InputQWERTY", false);
        for (const std::u16string layout : {u"InputQWERTY", u"InputAZERTY", u"InputQWERTZ", u""}) {
            ScanCodeTable table{}, expected{};
            if (layout == u"InputAZERTY" && mapped)
                expected[0x10] = KeyNameToCode(u"IK_A");
            else
                expected = builtIn;
            LoadKeyboardLayout(table, folder.store.get(), layout);
            EXPECT_TRUE(table == expected) << bad.name << " " << Utf16ToUtf8(layout);
            EXPECT_EQ(Bound(Pages(folder.store.get(), layout)),
                      layout == u"InputQWERTY" && bound ? "K8=IK_Z"
                                                        : Bound(Pages(clean.store.get(), layout)))
                << bad.name << " " << Utf16ToUtf8(layout);
        }
    }
}

// The section becomes the fixed bindings, then by index each page's bound entries
// (data/saved-User.ini); false, writing nothing, without a store, a page never made or read-only.
TEST(SaveBindings, FixedBindingsThenTheBoundEntries) {
    const std::string viewport = "[Viewport]\r\nWidth=1280\r\n\r\n";
    const UserFolder folder("[InputQWERTY]\r\nIK_Tilde=(GameKey=GI_Custom)\r\n" + viewport);
    Pages pages;
    pages.keyboard[3].keyCode = pages.keyboard[8].keyCode = KeyNameToCode(u"IK_F5");
    pages.keyboard[16].keyCode = pages.gamepad[16].keyCode = KeyNameToCode(u"IK_S");
    pages.gamepad[14].keyCode = pages.gamepad[23].keyCode = KeyNameToCode(u"IK_Pad_LeftAxisX");
    EXPECT_FALSE(SaveBindings(pages.keyboard, pages.gamepad, nullptr, u"InputQWERTY") ||
                 SaveBindings(pages.keyboard, {}, folder.store.get(), u"InputQWERTY") ||
                 SaveBindings({}, pages.gamepad, folder.store.get(), u"InputQWERTY"));
    EXPECT_EQ(folder.User(), "[InputQWERTY]\r\nIK_Tilde=(GameKey=GI_Custom)\r\n" + viewport);
    EXPECT_TRUE(SaveBindings(pages.keyboard, pages.gamepad, folder.store.get(), u"InputQWERTY"));
    const std::string saved = folder.User();
    EXPECT_EQ(saved, ReadAll(TEST_DATA("saved-User.ini")));
    SetReadOnly(folder.Path(u"User.ini"), true);
    EXPECT_FALSE(SaveBindings(pages.keyboard, pages.gamepad, folder.store.get(), u"InputQWERTY"));
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
        Pages pages(folder.store.get(), layout);
        pages.keyboard[8].keyCode = KeyNameToCode(u"IK_G");
        pages.gamepad[3].keyCode = 0;
        ASSERT_TRUE(SaveBindings(pages.keyboard, pages.gamepad, folder.store.get(), layout));
        const UserFolder reread(folder.User());
        EXPECT_EQ(Bound(Pages(reread.store.get(), layout)), Bound(pages)) << Utf16ToUtf8(layout);
    }
}
