#include "InputTestSupport.h"

#include "input/KeyboardLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using input_test::Bom;
using input_test::UserFolder;

namespace {

ScanCodeTable DefaultTable() {
    ScanCodeTable table{};
    ApplyDefaultKeyboardLayout(table);
    return table;
}

} // namespace

TEST(KeyboardLayout, BuiltInLayout) {
    const ScanCodeTable table = DefaultTable();
    // Both Alt keys are one key to the game; Shift and Control keep their sides. Keypad Enter
    // and the Windows key have no scan code name, so nothing maps them.
    std::string names;
    for (const int scanCode : {0x00, 0x38, 0xB8, 0x2A, 0x36, 0x1D, 0x9D, 0x9C, 0xDB})
        names += Utf16ToUtf8(KeyCodeToName(table[scanCode])) + " ";
    EXPECT_EQ(names, "IK_None IK_Alt IK_Alt IK_LShift IK_RShift IK_LControl IK_RControl "
                     "IK_None IK_None ");
    EXPECT_EQ(std::count_if(table.begin(), table.end(), [](int32_t code) { return code != 0; }),
              100);
    for (const int32_t generic : {16, 17}) // IK_Shift, IK_Ctrl
        EXPECT_EQ(std::count(table.begin(), table.end(), generic), 0) << generic;
}

TEST(KeyboardLayout, DefaultWithoutStoreFileSectionOrName) {
    UserFolder folder;
    folder.Write("DIMapping", Bom + "[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
    UserFolder empty;
    const struct {
        ConfigStore* store;
        std::u16string layout;
    } cases[] = {
        // clang-format off
        {folder.store.get(), u""}, {folder.store.get(), u"InputQWERTY"},
        {folder.store.get(), u"InputQWERTZ"}, {folder.store.get(), u"inputazerty"},
        {empty.store.get(), u"InputAZERTY"}, {nullptr, u"InputAZERTY"},
        // clang-format on
    };
    for (const auto& c : cases) {
        ScanCodeTable table{};
        LoadKeyboardLayout(table, c.store, c.layout);
        EXPECT_EQ(table, DefaultTable()) << Utf16ToUtf8(c.layout) << " " << (c.store != nullptr);
    }
}

TEST(KeyboardLayout, SectionWritesOnlyTheValidEntriesItNames) {
    UserFolder folder;
    folder.Write("DIMapping", Bom + "[InputAZERTY]\r\n"
                                    "DIK_Q=IK_A\r\n"
                                    "DIK_A=IK_Q\r\n"
                                    "DIK_W=IK_Bogus\r\n" // no IK_ name
                                    "DIK_E=ik_r\r\n"     // names are case-sensitive
                                    "DIK_BOGUS=IK_B\r\n" // no DIK_ name
                                    "dik_t=IK_B\r\n"
                                    "DIK_R=IK_T\r\n"
                                    "DIK_R=IK_Y\r\n"     // only the first value counts
                                    "DIK_LWIN=IK_F1\r\n" // a key no layout can map
                                    "DIK_Z=IK_None\r\n"
                                    "\r\n"
                                    "[InputQWERTZ]\r\n"
                                    "DIK_Y=IK_Z\r\n");
    ScanCodeTable table = DefaultTable();
    LoadKeyboardLayout(table, folder.store.get(), u"InputAZERTY");
    ScanCodeTable expected = DefaultTable();
    expected[0x10] = KeyNameToCode(u"IK_A");
    expected[0x1E] = KeyNameToCode(u"IK_Q");
    expected[0x13] = KeyNameToCode(u"IK_T");
    expected[0x2C] = 0;
    EXPECT_EQ(table, expected);

    // An earlier layout's entries stay where the section names nothing.
    LoadKeyboardLayout(table, folder.store.get(), u"InputQWERTZ");
    expected[0x15] = KeyNameToCode(u"IK_Z");
    EXPECT_EQ(table, expected);
}

TEST(KeyboardLayout, ThroughTheContextAndUserStore) {
    UserFolder folder;
    folder.Write("DIMapping", Bom + "[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
    UserStore = std::move(folder.store);
    LoadKeyboardLayout(u"InputAZERTY");
    EXPECT_EQ(ScanCodeToKeyName(0x10), u"IK_A");
    EXPECT_EQ(ScanCodeToKeyName(0x9C), u"IK_None");
    EXPECT_EQ(ScanCodeToKeyName(256), u"");
    EXPECT_EQ(ScanCodeToKeyName(-1), u"");
    // The mapping stays loaded, so the store's next SaveAll writes it back.
    ASSERT_EQ(UserStore->Files().size(), 1u);
    EXPECT_EQ(UserStore->Files().front()->Name(), u"DIMapping");
    ReleaseConfigStores();
    LoadKeyboardLayout(u"InputAZERTY"); // no store: the built-in layout
    EXPECT_EQ(ScanCodeToKeyName(0x10), u"IK_Q");
}
