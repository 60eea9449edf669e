// Bindings and keyboard layouts read from damaged player files: nothing crashes, nothing
// out of range is bound, and saving rewrites only the layout's own section.

#include "InputTestSupport.h"

#include "config/ConfigFile.h"
#include "config/FaultInputs.h"
#include "input/KeyboardLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using input_test::Bom;
using input_test::Bound;
using input_test::Pages;
using input_test::UserFolder;

namespace {

const std::u16string Layouts[] = {u"InputQWERTY", u"InputAZERTY", u"InputQWERTZ", u""};

bool AllCodesInRange(const BindingPage& page) {
    for (const BindingEntry& entry : page)
        if (entry.keyCode < 0 || entry.keyCode >= InputKeyCodeCount)
            return false;
    return true;
}

// Damaged values in the layout's section; the parser's own rules are tested beside it.
const char* const NotABinding[] = {
    "",
    "(",
    ")",
    "(((",
    "(GameKey=GI_Block,Value=1e9)",
    "(GameKey=GI_Block,Value=nan)",
    "(GameKey=GI_Block,Value=1..2.3)",
    "(GameKey=GI_Block,Value=99999999999999999999999999999999999999999999999999)",
    "(GameKey=GI_Block,Value=1 f)",
    "(GameKey=GI_Block;Value=1)",
    "(GameKey=\xC3\xA9,Value=1)",
    "\xFF\xFE(GameKey=GI_Block,Value=1)"};

} // namespace

// Every damaged value is skipped; the one good binding after them still loads, and keys that
// are no IK_ name bind nothing.
TEST(FaultBindings, ValuesThatDoNotParseBindNothing) {
    std::string section = "[InputQWERTY]\r\n";
    for (const char* value : NotABinding)
        section += std::string("IK_E=") + value + "\r\n";
    for (const char* value : NotABinding)
        section += std::string("IK_F=") + value + "\r\n";
    section += "IK_H=(GameKey=" + std::string(100000, 'G') + ",Value=1)\r\n";
    section += "IK_J=(GameKey=GI_Block,Value=" + std::string(100000, '1') + ")\r\n";
    section += "IK_G=(GameKey=\"GI_Block\",Value=1)\r\n"
               "IK_NoSuchKey=(GameKey=\"GI_UseItem\",Value=1)\r\n"
               "GI_Block=(GameKey=\"GI_UseItem\",Value=1)\r\n"
               "IK_Pad=(GameKey=\"GI_Holster\",Value=1)\r\n";
    UserFolder folder;
    folder.Write("User", Bom + section);
    Pages pages;
    LoadBindings(pages.keyboard, pages.gamepad, folder.store.get(), u"InputQWERTY");
    EXPECT_EQ(Bound(pages), "8=IK_G |");
}

// Whole damaged files as "User" and "DIMapping": loading every layout neither crashes nor
// binds a code outside the table; saving one layout ends its section as the fixed and bound
// entries and writes every other section back as it was read.
TEST(FaultBindings, DamagedFilesLoadAndSave) {
    for (const fault::BadFile& bad : fault::BadFiles()) {
        SCOPED_TRACE(bad.name);
        UserFolder folder;
        folder.Write("User", bad.bytes() + "\r\n[InputQWERTY]\r\nIK_Z=(GameKey=GI_Block)\r\n");
        folder.Write("DIMapping", bad.bytes() + "\r\n[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
        BindingPage keyboard = MakeBindingPage(BindingPageKind::Keyboard);
        BindingPage gamepad = MakeBindingPage(BindingPageKind::Gamepad);
        for (const std::u16string& layout : Layouts) {
            ScanCodeTable table{};
            LoadKeyboardLayout(table, folder.store.get(), layout);
            for (const int32_t code : table)
                ASSERT_TRUE(code >= 0 && code < InputKeyCodeCount) << code;
            LoadBindings(keyboard, gamepad, folder.store.get(), layout);
            EXPECT_TRUE(AllCodesInRange(keyboard)) << Utf16ToUtf8(layout);
            EXPECT_TRUE(AllCodesInRange(gamepad)) << Utf16ToUtf8(layout);
        }

        ConfigFile* user = folder.store->GetFile(u"User");
        ASSERT_NE(user, nullptr);
        ConfigSectionMap expected = user->Sections();
        SaveBindings(keyboard, gamepad, folder.store.get(), u"InputQWERTZ");
        expected[u"InputQWERTZ"] = user->Sections().at(u"InputQWERTZ");
        EXPECT_TRUE(user->Sections() == expected) << "sections other than the layout's changed";
        EXPECT_EQ(folder.Read("User"), EncodeConfigBytes(FormatConfigText(user->Sections())));
        ConfigFile* mapping = folder.store->GetFile(u"DIMapping");
        EXPECT_EQ(folder.Read("DIMapping"),
                  EncodeConfigBytes(FormatConfigText(mapping->Sections())));
    }
}
