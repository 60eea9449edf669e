#include "InputTestSupport.h"

#include "input/Bindings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using input_test::Bom;
using input_test::Bound;
using input_test::Pages;
using input_test::UserFolder;

namespace {

enum Index {
    Steel = 3,
    Block = 8,
    AxisLeftXPositive = 14,
    AxisLeftYPositive = 15,
    AxisLeftYNegative = 16,
    UseAbility = 20,
    UseItem = 21,
    AcceptEvade = 22,
    AxisLeftXNegative = 23,
    Medallion = 25,
};

Pages LoadSection(const std::string& lines, const std::u16string& layout = u"InputQWERTY") {
    UserFolder folder;
    folder.Write("User", Bom + "[InputQWERTY]\r\n" + lines);
    Pages pages;
    LoadBindings(pages.keyboard, pages.gamepad, folder.store.get(), layout);
    return pages;
}

} // namespace

// Loading without the layout's section gives its defaults: only letter keys differ per
// layout, chosen by the exact layout name; the pad's do not.
TEST(LoadBindings, NoSectionGivesTheLayoutsDefaults) {
    const struct {
        std::u16string layout;
        const char16_t* forward;
        const char16_t* left;
        const char16_t* useAbility;
        const char16_t* medallion;
    } cases[] = {
        {u"InputQWERTY", u"IK_W", u"IK_A", u"IK_Q", u"IK_Z"},
        {u"", u"IK_W", u"IK_A", u"IK_Q", u"IK_Z"},
        {u"inputazerty", u"IK_W", u"IK_A", u"IK_Q", u"IK_Z"},
        {u"InputQWERTZ", u"IK_W", u"IK_A", u"IK_Q", u"IK_Y"},
        {u"InputAZERTY", u"IK_Z", u"IK_Q", u"IK_A", u"IK_W"},
    };
    const auto defaults = [](const std::u16string& layout) {
        Pages pages;
        ResetToDefaults(pages.keyboard, BindingPageKind::Keyboard, layout);
        ResetToDefaults(pages.gamepad, BindingPageKind::Gamepad, layout);
        return pages;
    };
    const auto padPage = [](const Pages& pages) {
        return Bound(pages).substr(Bound(pages).find('|'));
    };
    UserFolder folder;
    folder.Write("User", Bom + "[Input]\r\nIK_K=(GameKey=\"GI_Block\",Value=1)\r\n");
    Pages noStore;
    LoadBindings(noStore.keyboard, noStore.gamepad, nullptr, u"InputQWERTY");
    EXPECT_EQ(Bound(noStore), Bound(defaults(u"InputQWERTY")));
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.layout));
        Pages pages;
        LoadBindings(pages.keyboard, pages.gamepad, folder.store.get(), c.layout);
        EXPECT_EQ(Bound(pages), Bound(defaults(c.layout)));
        EXPECT_EQ(KeyCodeToName(pages.keyboard[AxisLeftYPositive].keyCode), c.forward);
        EXPECT_EQ(KeyCodeToName(pages.keyboard[AxisLeftXNegative].keyCode), c.left);
        EXPECT_EQ(KeyCodeToName(pages.keyboard[UseAbility].keyCode), c.useAbility);
        EXPECT_EQ(KeyCodeToName(pages.keyboard[Medallion].keyCode), c.medallion);
        EXPECT_EQ(padPage(pages), padPage(noStore));
    }
}

TEST(LoadBindings, SectionBindsByNameAndExactValue) {
    const struct {
        const char* name;
        std::string lines;
        const char* bound;
    } cases[] = {
        {"empty section unbinds everything", "", "|"},
        {"ascending key order: the later key wins",
         "IK_W=(GameKey=\"GI_AxisLeftY\",Value=1)\r\nIK_Up=(GameKey=\"GI_AxisLeftY\",Value=1)\r\n",
         "15=IK_W |"},
        {"pad keys go to the gamepad page only",
         "IK_Pad_A_CROSS=(Gamekey=GI_Accept_Evade,Value=1.000000)\r\n", "| 22=IK_Pad_A_CROSS"},
        {"other keys go to the keyboard page",
         "IK_PageUp=(Gamekey=GI_Accept_Evade,Value=1.000000)\r\n", "22=IK_PageUp |"},
        {"negative direction on the keyboard page", "IK_K=(GameKey=\"GI_AxisLeftX\",Value=-1)\r\n",
         "23=IK_K |"},
        {"no entry has this value", "IK_K=(GameKey=\"GI_AxisLeftX\",Value=0.5)\r\n", "|"},
        {"an axis feeds both gamepad entries",
         "IK_Pad_LeftAxisX=(GameKey=\"GI_AxisLeftX\",Value=1)\r\n",
         "| 14=IK_Pad_LeftAxisX 23=IK_Pad_LeftAxisX"},
        {"the first value of a key only",
         "IK_K=(GameKey=\"GI_AxisLeftX\",Value=-1)\r\nIK_K=(GameKey=\"GI_Block\",Value=1)\r\n",
         "23=IK_K |"},
        {"a binding after the key's own fixed one",
         "IK_F5=(GameKey=\"GI_F5\",Value=1)\r\nIK_F5=(Gamekey=GI_Block,Value=1.000000)\r\n",
         "8=IK_F5 |"},
        {"another key's fixed game input is a first value",
         "IK_F5=(GameKey=\"GI_Cancel\",Value=1)\r\nIK_F5=(Gamekey=GI_Block,Value=1.000000)\r\n",
         "|"},
        {"a first value that does not parse binds nothing",
         "IK_K=GI_Block\r\nIK_K=(GameKey=\"GI_UseItem\",Value=1)\r\n", "|"},
        {"names compare exactly", "IK_K=(GameKey=\"gi_block\",Value=1)\r\n", "|"},
        {"fixed bindings match no entry", "IK_F5=(GameKey=\"GI_F5\",Value=1)\r\n", "|"},
        {"no Value= reads as 1", "IK_K=(GameKey=GI_Block)\r\n", "8=IK_K |"},
        {"a key outside the name table is skipped",
         "IK_K=(GameKey=\"GI_Block\",Value=1)\r\nIK_Kx=(GameKey=\"GI_Block\",Value=1)\r\n",
         "8=IK_K |"},
        {"IK_None unbinds",
         "IK_K=(GameKey=\"GI_Block\",Value=1)\r\nIK_None=(GameKey=\"GI_Block\",Value=1)\r\n", "|"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Bound(LoadSection(c.lines)), c.bound) << c.name;
}

TEST(SaveBindings, RewritesTheLayoutsSectionOnly) {
    UserFolder folder;
    const std::string viewport = "[Viewport]\r\nWidth=1280\r\n\r\n";
    folder.Write("User", Bom + "[InputQWERTY]\r\nIK_Tilde=(GameKey=\"GI_Custom\",Value=1)\r\n" +
                             "IK_Delete=(GameKey=\"GI_Cancel\",Value=1)\r\n\r\n" + viewport);
    Pages pages;
    pages.keyboard[Steel].keyCode = KeyNameToCode(u"IK_F5");
    pages.keyboard[Block].keyCode = KeyNameToCode(u"IK_F5");
    pages.keyboard[AxisLeftYNegative].keyCode = KeyNameToCode(u"IK_S");
    pages.gamepad[AxisLeftYNegative].keyCode = KeyNameToCode(u"IK_S");
    pages.gamepad[AxisLeftXPositive].keyCode = KeyNameToCode(u"IK_Pad_LeftAxisX");
    pages.gamepad[AxisLeftXNegative].keyCode = KeyNameToCode(u"IK_Pad_LeftAxisX");
    EXPECT_TRUE(SaveBindings(pages.keyboard, pages.gamepad, folder.store.get(), u"InputQWERTY"));

    // Fixed bindings first, then index by index the keyboard and the gamepad entry.
    const std::string expected = Bom +
                                 "[InputQWERTY]\r\n"
                                 "IK_C=(GameKey=\"GI_Character\",Value=1)\r\n"
                                 "IK_Delete=(GameKey=\"GI_Cancel\",Value=1)\r\n"
                                 "IK_Down=(GameKey=\"GI_Down\",Value=1)\r\n"
                                 "IK_Escape=(GameKey=\"GI_Exit\",Value=1)\r\n"
                                 "IK_F5=(GameKey=\"GI_F5\",Value=1)\r\n"
                                 "IK_F5=(Gamekey=GI_Steel,Value=1.000000)\r\n"
                                 "IK_F5=(Gamekey=GI_Block,Value=1.000000)\r\n"
                                 "IK_I=(GameKey=\"GI_Inventory\",Value=1)\r\n"
                                 "IK_J=(GameKey=\"GI_Journal\",Value=1)\r\n"
                                 "IK_M=(GameKey=\"GI_Nav\",Value=1)\r\n"
                                 "IK_MouseX=(GameKey=\"GI_MouseX\",Value=1)\r\n"
                                 "IK_MouseY=(GameKey=\"GI_MouseY\",Value=1)\r\n"
                                 "IK_Pad_Back_Select=(GameKey=\"GI_Exit\",Value=1)\r\n"
                                 "IK_Pad_LeftAxisX=(Gamekey=GI_AxisLeftX,Value=1.000000)\r\n"
                                 "IK_Pad_LeftAxisX=(Gamekey=GI_AxisLeftX,Value=1.000000)\r\n"
                                 "IK_Pad_RightAxisX=(GameKey=\"GI_AxisRightX\",Value=1)\r\n"
                                 "IK_Pad_RightAxisY=(GameKey=\"GI_AxisRightY\",Value=1)\r\n"
                                 "IK_Pad_Start=(GameKey=\"GI_PanelSelector\",Value=1)\r\n"
                                 "IK_S=(Gamekey=GI_AxisLeftY,Value=-1.000000)\r\n"
                                 "IK_S=(Gamekey=GI_AxisLeftY,Value=1.000000)\r\n"
                                 "IK_Up=(GameKey=\"GI_Up\",Value=1)\r\n"
                                 "\r\n" +
                                 viewport;
    EXPECT_EQ(folder.Read("User"), expected);
}

TEST(SaveBindings, NewSectionEmptyLayoutNameAndFailures) {
    UserFolder folder;
    Pages pages;
    EXPECT_TRUE(SaveBindings(pages.keyboard, pages.gamepad, folder.store.get(), u"InputQWERTZ"));
    const std::string saved = folder.Read("User");
    EXPECT_TRUE(saved.starts_with(Bom + "[InputQWERTZ]\r\nIK_C=(GameKey=\"GI_Character\""));
    EXPECT_EQ(saved.find("Gamekey="), std::string::npos); // nothing bound, fixed ones only
    // The player is told when User was not written; a page without game inputs (never made)
    // writes nothing.
    EXPECT_FALSE(SaveBindings(pages.keyboard, pages.gamepad, nullptr, u"InputQWERTZ"));
    EXPECT_FALSE(SaveBindings(pages.keyboard, BindingPage{}, folder.store.get(), u"InputQWERTY"));
    EXPECT_EQ(folder.Read("User"), saved);
    SetReadOnly(folder.folder.Path(u"User.ini"), true);
    EXPECT_FALSE(SaveBindings(pages.keyboard, pages.gamepad, folder.store.get(), u"InputQWERTZ"));
    EXPECT_EQ(folder.Read("User"), saved);

    // No section without a name, but the store is written all the same.
    UserFolder unnamed;
    unnamed.Write("User", "junk before any section\r\n[Viewport]\r\nWidth=1280\r\n");
    SaveBindings(pages.keyboard, pages.gamepad, unnamed.store.get(), u"");
    EXPECT_EQ(unnamed.Read("User"), Bom + "[Viewport]\r\nWidth=1280\r\n\r\n");
}

TEST(SaveBindings, WhatIsSavedLoadsBack) {
    for (const std::u16string layout : {u"InputQWERTY", u"InputAZERTY", u"InputQWERTZ"}) {
        SCOPED_TRACE(Utf16ToUtf8(layout));
        UserFolder folder;
        Pages saved;
        ResetToDefaults(saved.keyboard, BindingPageKind::Keyboard, layout);
        ResetToDefaults(saved.gamepad, BindingPageKind::Gamepad, layout);
        saved.keyboard[UseItem].keyCode = KeyNameToCode(u"IK_F5");
        SaveBindings(saved.keyboard, saved.gamepad, folder.store.get(), layout);

        ConfigStore reread(folder.folder.Directory());
        Pages loaded;
        LoadBindings(loaded.keyboard, loaded.gamepad, &reread, layout);
        EXPECT_EQ(Bound(loaded), Bound(saved));
    }
}

TEST(FindDuplicateBinding, LowestOtherIndexOnThePage) {
    BindingPage page = MakeBindingPage(BindingPageKind::Keyboard);
    ResetToDefaults(page, BindingPageKind::Keyboard, u"InputQWERTY");
    const int32_t r = KeyNameToCode(u"IK_R");
    EXPECT_EQ(FindDuplicateBinding(page, Block, r), UseItem);
    EXPECT_EQ(FindDuplicateBinding(page, UseItem, r), -1);
    EXPECT_EQ(FindDuplicateBinding(page, Block, KeyNameToCode(u"IK_K")), -1);
    page[AcceptEvade].keyCode = r;
    page[Steel].keyCode = r;
    EXPECT_EQ(FindDuplicateBinding(page, Block, r), Steel);
    EXPECT_EQ(FindDuplicateBinding(page, Steel, r), UseItem);
}
