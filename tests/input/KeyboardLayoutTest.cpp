#include "InputTestSupport.h"

#include "config/Text.h"
#include "input/KeyNames.h"
#include "input/KeyboardLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

using input_test::UserFolder;

namespace {

const std::string Bom = "\xEF\xBB\xBF";

struct ScanCase {
    int scanCode;
    const char16_t* keyName;
};

void ExpectNames(const ScanCodeTable& table, std::initializer_list<ScanCase> cases) {
    for (const ScanCase& c : cases)
        EXPECT_EQ(KeyCodeToName(table[c.scanCode]), c.keyName) << std::hex << c.scanCode;
}

ScanCodeTable DefaultTable() {
    ScanCodeTable table{};
    ApplyDefaultKeyboardLayout(table);
    return table;
}

} // namespace

TEST(KeyboardLayout, BuiltInLayout) {
    const ScanCodeTable table = DefaultTable();
    ExpectNames(table, {
                           {0x00, u"IK_None"},        {0x01, u"IK_Escape"},
                           {0x0B, u"IK_0"},           {0x0E, u"IK_Backspace"},
                           {0x10, u"IK_Q"},           {0x1C, u"IK_Enter"},
                           {0x1D, u"IK_LControl"},    {0x9D, u"IK_RControl"},
                           {0x2A, u"IK_LShift"},      {0x36, u"IK_RShift"},
                           {0x38, u"IK_Alt"},         {0xB8, u"IK_Alt"},
                           {0x28, u"IK_SingleQuote"}, {0x29, u"IK_Tilde"},
                           {0x37, u"IK_NumStar"},     {0x45, u"IK_NumLock"},
                           {0x46, u"IK_ScrollLock"},  {0x52, u"IK_NumPad0"},
                           {0x53, u"IK_NumPeriod"},   {0x57, u"IK_F11"},
                           {0xB5, u"IK_NumSlash"},    {0xB7, u"IK_PrintScrn"},
                           {0xC5, u"IK_Pause"},       {0xC9, u"IK_PageUp"},
                           {0xD1, u"IK_PageDown"},    {0xD3, u"IK_Delete"},
                           {0x9C, u"IK_None"}, // keypad Enter has no name to map
                           {0xDB, u"IK_None"}, // nor has the Windows key
                       });
    EXPECT_EQ(std::count_if(table.begin(), table.end(), [](int32_t code) { return code != 0; }),
              100);
    for (const int32_t generic : {16, 17})
        EXPECT_EQ(std::count(table.begin(), table.end(), generic), 0) << generic;
}

TEST(KeyboardLayout, DefaultWithoutFileOrName) {
    UserFolder folder;
    folder.Write("DIMapping", Bom + "[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
    for (const std::u16string layout : {u"", u"InputQWERTY"}) {
        ScanCodeTable table{};
        LoadKeyboardLayout(table, folder.store.get(), layout);
        EXPECT_EQ(table, DefaultTable()) << Utf16ToUtf8(layout);
    }
    UserFolder empty;
    ScanCodeTable table{};
    LoadKeyboardLayout(table, empty.store.get(), u"InputAZERTY");
    EXPECT_EQ(table, DefaultTable());
    ScanCodeTable noStore{};
    LoadKeyboardLayout(noStore, nullptr, u"InputAZERTY");
    EXPECT_EQ(noStore, DefaultTable());
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
    ScanCodeTable table{};
    LoadKeyboardLayout(table, folder.store.get(), u"InputAZERTY");
    ScanCodeTable expected{};
    expected[0x10] = KeyNameToCode(u"IK_A");
    expected[0x1E] = KeyNameToCode(u"IK_Q");
    expected[0x13] = KeyNameToCode(u"IK_T");
    EXPECT_EQ(table, expected);

    // An earlier layout's entries stay where the section names nothing.
    LoadKeyboardLayout(table, folder.store.get(), u"InputQWERTZ");
    expected[0x15] = KeyNameToCode(u"IK_Z");
    EXPECT_EQ(table, expected);

    ScanCodeTable overDefaults = DefaultTable();
    LoadKeyboardLayout(overDefaults, folder.store.get(), u"InputAZERTY");
    ExpectNames(overDefaults, {{0x10, u"IK_A"},
                               {0x1E, u"IK_Q"},
                               {0x11, u"IK_W"},
                               {0x12, u"IK_E"},
                               {0x13, u"IK_T"},
                               {0x2C, u"IK_None"},
                               {0xB8, u"IK_Alt"}});
}

TEST(KeyboardLayout, MissingSectionGivesTheDefault) {
    UserFolder folder;
    folder.Write("DIMapping", Bom + "[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
    ScanCodeTable table{};
    LoadKeyboardLayout(table, folder.store.get(), u"InputQWERTZ");
    EXPECT_EQ(table, DefaultTable());
    // Case matters for the section too.
    LoadKeyboardLayout(table, folder.store.get(), u"inputazerty");
    EXPECT_EQ(table, DefaultTable());
}

TEST(KeyboardLayout, ThroughTheContextAndUserStore) {
    UserFolder folder;
    folder.Write("DIMapping", Bom + "[InputAZERTY]\r\nDIK_Q=IK_A\r\n");
    UserStore = std::move(folder.store);
    LoadKeyboardLayout(u"");
    EXPECT_EQ(ScanCodeToKeyName(0x10), u"IK_Q");
    EXPECT_EQ(ScanCodeToKeyName(0xB8), u"IK_Alt");
    LoadKeyboardLayout(u"InputAZERTY");
    EXPECT_EQ(ScanCodeToKeyName(0x10), u"IK_A");
    EXPECT_EQ(ScanCodeToKeyName(0x9C), u"IK_None");
    EXPECT_EQ(ScanCodeToKeyName(256), u"");
    EXPECT_EQ(ScanCodeToKeyName(-1), u"");
    // The mapping stays loaded, so the store's next SaveAll writes it back.
    EXPECT_EQ(UserStore->Files().size(), 1u);
    EXPECT_NE(UserStore->GetFile(u"DIMapping"), nullptr);
    EXPECT_EQ(UserStore->Files().front()->Name(), u"DIMapping");
    ReleaseConfigStores();
    LoadKeyboardLayout(u"InputAZERTY"); // no store: the built-in layout
    EXPECT_EQ(ScanCodeToKeyName(0x10), u"IK_Q");
}
