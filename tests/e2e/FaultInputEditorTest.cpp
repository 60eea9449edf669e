// The input editor over damaged bindings and a damaged layout mapping: it opens, its OK
// rewrites the layout's section from the one binding that parses, every other section comes
// back as it was read, and the mapping that could not be read whole is kept as a backup.

#include "ControlIds.h"
#include "Files.h"
#include "InputEditorDriver.h"
#include "WideText.h"

#include "config/ConfigFile.h"
#include "config/FaultInputs.h"
#include "input/BindableActions.h"

#include <string>

namespace {

// Values that must not bind anything, then one good binding of GI_Block.
std::string DamagedBindings() {
    std::string lines;
    for (const char* value :
         {"(", ")", "(((", "(GameKey=\"GI_Block\",Value=1", "(GameKey=\"GI_Block,Value=1)",
          "(GameKey=GI_Block,Value=1e9)", "(GameKey=GI_Block,Value=nan)", "(GameKey=,Value=1)",
          "(GameKey=GI_Block;Value=1)", "\xFF\xFE(GameKey=GI_Block,Value=1)"})
        lines += std::string("IK_E=") + value + "\r\n";
    lines += "IK_F=(GameKey=GI_Block,Value=" + std::string(100000, '1') + ")\r\n";
    lines += "IK_H=(GameKey=" + std::string(100000, 'G') + ",Value=1)\r\n";
    lines += "IK_NoSuchKey=(GameKey=\"GI_UseItem\",Value=1)\r\n";
    lines += "GI_Block=(GameKey=\"GI_UseItem\",Value=1)\r\n";
    lines += "IK_G=(GameKey=\"GI_Block\",Value=1)\r\n";
    return lines;
}

// The layout's section after the editor's OK: the fixed bindings, then IK_G's.
ConfigSection ExpectedLayoutSection() {
    ConfigSection section;
    for (const FixedBinding& fixed : FixedBindings())
        section.SetValue(std::u16string(fixed.keyName),
                         u"(GameKey=\"" + std::u16string(fixed.gameInput) + u"\",Value=1)", true);
    section.SetValue(u"IK_G", u"(Gamekey=GI_Block,Value=1.000000)", true);
    return section;
}

} // namespace

TEST_F(ConfiguratorTest, InputEditorOverDamagedFiles) {
    const std::string user = fault::GoodStart() + "[InputAZERTY]\r\n" + DamagedBindings() +
                             "[InputQWERTY]\r\nIK_E=(((\r\n[Other]\r\nkeep=1\r\n";
    const std::string mapping = "\xEF\xBB\xBF[InputAZERTY]\r\nDIK_Q=IK_A\r\nDIK_NOPE=IK_B\r\n"
                                "DIK_W=IK_NOPE\r\n\xFF\xFE=\x01\r\n[Two words]\r\nDIK_A=IK_Q\r\n";
    const std::wstring mappingPath = Paths().ConfigDir() + L"\\DIMapping.ini";
    WriteUserIni(user);
    ASSERT_TRUE(WriteFileBytes(mappingPath, mapping));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    ASSERT_EQ(dialog->ComboSelection(ids::kKeyboardList), 1) << "AZERTY was not read";
    auto editor = InputEditorDriver::Open(*dialog);
    ASSERT_TRUE(editor);
    ASSERT_TRUE(editor->PostClick(IDOK));
    ASSERT_TRUE(editor->WaitClosed(kWaitMs)) << "the editor did not close with OK";
    EXPECT_TRUE(dialog->IsOpen());

    const auto written = UserIniBytes();
    ASSERT_TRUE(written);
    const auto saved = ConfigFile::FromBytes(u"User", u"", *written);
    EXPECT_TRUE(saved->WasReadWhole());
    ConfigSectionMap expected = ConfigFile::FromBytes(u"User", u"", user)->Sections();
    expected[u"InputAZERTY"] = ExpectedLayoutSection();
    EXPECT_TRUE(saved->Sections() == expected) << "User.ini after the editor's OK:\n"
                                               << ShowLineEnds(*written);
    EXPECT_FALSE(FileExists(Paths().UserIni() + L".bak"));

    const auto mappingRead = ConfigFile::FromBytes(u"DIMapping", u"", mapping);
    ASSERT_FALSE(mappingRead->WasReadWhole());
    EXPECT_EQ(ReadFileBytes(mappingPath),
              EncodeConfigBytes(FormatConfigText(mappingRead->Sections())));
    EXPECT_EQ(ReadFileBytes(mappingPath + L".bak"), mapping);

    // What the editor saved stays saved when the main window is cancelled.
    const auto files = SnapshotFolder(Paths().GameDocuments());
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
    EXPECT_EQ(SnapshotFolder(Paths().GameDocuments()), files);
}

// A read-only DIMapping.ini, which the program only reads: it stays as the player left it,
// and neither the editor's OK nor the main window's OK fails on it.
TEST_F(ConfiguratorTest, ReadOnlyLayoutMappingIsLeftAlone) {
    const std::string mapping = "[InputAZERTY]\r\nDIK_Q=IK_A\r\n";
    const std::wstring mappingPath = Paths().ConfigDir() + L"\\DIMapping.ini";
    ASSERT_TRUE(WriteFileBytes(mappingPath, mapping));
    ASSERT_TRUE(SetFileAttributesW(mappingPath.c_str(), FILE_ATTRIBUTE_READONLY));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    auto editor = InputEditorDriver::Open(*dialog);
    ASSERT_TRUE(editor);
    ASSERT_TRUE(editor->PostClick(IDOK));
    ASSERT_TRUE(editor->WaitClosed(kWaitMs)) << "the editor did not close with OK";
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk)) << "OK failed on the read-only mapping";
    EXPECT_EQ(ReadFileBytes(mappingPath), mapping);
    EXPECT_NE(GetFileAttributesW(mappingPath.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_TRUE(FileExists(Paths().UserIni()));
}

// User.ini held by another program when the editor's OK saves the bindings: the player gets
// the main window's warning and the editor stays open, until Cancel. The bindings stay in
// memory, so the main window's OK saves them once the file is free again.
TEST_F(ConfiguratorTest, EditorOkWarnsWhenTheBindingsCannotBeSaved) {
    WriteUserIni("[Input]\r\nKeyboardLayout=QWERTY\r\n");
    const auto before = UserIniBytes();
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    auto editor = InputEditorDriver::Open(*dialog);
    ASSERT_TRUE(editor);
    HANDLE lock =
        CreateFileW(Paths().UserIni().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(editor->PostClick(IDOK));
    AnswerSaveWarning(*editor);
    CloseHandle(lock);
    DWORD_PTR ignored = 0; // handled once OK has been
    SendMessageTimeoutW(editor->Handle(), WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &ignored);
    EXPECT_TRUE(editor->IsOpen());
    ASSERT_TRUE(editor->PostClick(IDCANCEL));
    ASSERT_TRUE(editor->WaitClosed(kWaitMs));
    EXPECT_EQ(UserIniBytes(), before);

    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kOk));
    const auto written = UserIniBytes();
    ASSERT_TRUE(written);
    const auto saved = ConfigFile::FromBytes(u"User", u"", *written);
    const ConfigSection* layout = saved->FindSection(u"InputQWERTY", false);
    ASSERT_TRUE(layout) << "the bindings were lost";
    for (const FixedBinding& fixed : FixedBindings()) {
        std::u16string value;
        EXPECT_TRUE(layout->GetValue(std::u16string(fixed.keyName), value) &&
                    value == u"(GameKey=\"" + std::u16string(fixed.gameInput) + u"\",Value=1)")
            << Utf16ToUtf8(fixed.keyName);
    }
    std::u16string forward;
    EXPECT_TRUE(layout->GetValue(u"IK_W", forward)) << "the default bindings were not saved";
}
