#include "InputEditorFixture.h"

#include "ControlIds.h"
#include "Files.h"
#include "TopLevelWindows.h"
#include "WideText.h"
#include "config/ConfigFile.h"

bool InputEditorTest::OpenEditor(int layout) {
    m_main = Launch();
    if (!m_main)
        return false;
    if (!m_main->Choose(ids::kKeyboardList, layout)) {
        ADD_FAILURE() << "cannot choose keyboard entry " << layout;
        return false;
    }
    return ReopenEditor();
}

bool InputEditorTest::ReopenEditor() {
    m_editor = InputEditorDriver::Open(*m_main);
    return m_editor.has_value();
}

bool InputEditorTest::CloseEditor(int buttonId) {
    if (!m_editor->ClickButton(buttonId) || !m_editor->WaitClosed(kWaitMs)) {
        ADD_FAILURE() << "the editor did not close with button " << buttonId;
        return false;
    }
    return true;
}

void InputEditorTest::FinishProgram() {
    PressAndWaitForExit(*m_main, ids::kCancel);
}

std::wstring InputEditorTest::EditorText(const std::string& key) const {
    ConfigFile file(u"EN", ToU16(Paths().LangDir() + L"\\EN.ini"));
    std::u16string text = Utf8ToUtf16(key);
    if (const ConfigSection* section = file.FindSection(u"InputEditor", false))
        section->GetValue(Utf8ToUtf16(key), text);
    return ToWide(text);
}

std::optional<IniSection> InputEditorTest::UserSection(const std::string& name) const {
    if (!FileExists(Paths().UserIni()))
        return std::nullopt;
    ConfigFile file(u"User", ToU16(Paths().UserIni()));
    const ConfigSection* section = file.FindSection(Utf8ToUtf16(name), false);
    if (!section)
        return std::nullopt;
    IniSection result;
    for (const auto& [key, values] : *section) {
        for (const auto& value : values)
            result[Utf16ToUtf8(key)].push_back(Utf16ToUtf8(value));
    }
    return result;
}

std::optional<MessageBoxView> InputEditorTest::AnswerMessageBox(int buttonId) {
    const HWND box = m_editor->WaitForMessageBox(kWaitMs);
    if (!box)
        return std::nullopt;
    const MessageBoxView view = ReadMessageBox(box);
    PressMessageBoxButton(box, buttonId);
    PollFor([&] { return !IsWindow(box); }, kWaitMs);
    return view;
}
