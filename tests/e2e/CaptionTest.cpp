// Captions and localised list entries come from the language file of the text language; a
// missing text shows its key.

#include "ConfiguratorTest.h"
#include "ControlIds.h"
#include "Files.h"
#include "GameData.h"
#include "Registry.h"
#include "WideText.h"

#include <set>
#include <vector>

namespace {

struct Caption {
    int id;
    const char* key;
};

const Caption kCaptions[] = {
    {ids::kPresetLabel, "BASEDON"},
    {ids::kCustomCheck, "Custom"},
    {ids::kTextLabel, "Text"},
    {ids::kVoiceLabel, "Voice"},
    {ids::kResolutionLabel, "Resolution"},
    {ids::kOk, "OK"},
    {ids::kCancel, "Cancel"},
    {ids::kKeyboardLabel, "KeyboardSettings"},
    {ids::kFullscreenLabel, "Fullscreen"},
    {ids::kAutoDetect, "AutoDetect"},
    {ids::kInputSettings, "InputSettings"},
};

std::vector<std::wstring> Texts(const LanguageTexts& texts, const std::wstring& language,
                                const std::vector<std::string>& keys) {
    std::vector<std::wstring> result;
    for (const auto& key : keys)
        result.push_back(texts.Text(language, key));
    return result;
}

// Every caption and localised list of the compact window, in language.
void ExpectMainCaptions(const DialogDriver& dialog, const LanguageTexts& texts,
                        const std::wstring& language) {
    EXPECT_EQ(dialog.Caption(), texts.Text(language, "Configurator"));
    for (const Caption& caption : kCaptions)
        EXPECT_EQ(dialog.Text(caption.id), texts.Text(language, caption.key)) << caption.key;
    EXPECT_EQ(dialog.ComboEntries(ids::kFullscreenList),
              Texts(texts, language, {"Disabled", "Enabled"}));
    EXPECT_EQ(dialog.ComboEntries(ids::kKeyboardList),
              (std::vector<std::wstring>{L"EN ( QWERTY )", L"FR ( AZERTY )", L"DE ( QWERTZ )"}));
}

class CaptionTest : public ConfiguratorTest, public ::testing::WithParamInterface<const wchar_t*> {
protected:
    void SetUp() override {
        ConfiguratorTest::SetUp();
        ASSERT_TRUE(FileExists(Paths().LangDir() + L"\\" + GetParam() + L".ini"));
        ASSERT_TRUE(SetGameString(kMachineKey32, L"Language", GetParam()));
    }
};

} // namespace

TEST_P(CaptionTest, MainWindowSpeaksTheTextLanguage) {
    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const LanguageTexts texts(Paths().LangDir());
    ExpectMainCaptions(*dialog, texts, GetParam());
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}

INSTANTIATE_TEST_SUITE_P(Languages, CaptionTest, ::testing::Values(L"EN", L"FR"),
                         [](const auto& info) { return WideToUtf8(info.param); });

namespace {

// The language file without the lines of these keys in section "Configurator".
std::string WithoutKeys(const std::string& bytes, const std::set<std::string>& keys) {
    std::string result, section;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const std::string line = bytes.substr(start, end - start);
        start = end;
        if (line.starts_with("["))
            section = line.substr(0, line.find(']') + 1);
        const std::string key = line.substr(0, line.find('='));
        if (section == "[Configurator]" && line.find('=') != std::string::npos &&
            keys.contains(key))
            continue;
        result += line;
    }
    return result;
}

} // namespace

// A text missing from the language file shows its key instead; the other texts stay.
TEST_F(ConfiguratorTest, MissingTextShowsItsKey) {
    const std::wstring enFile = Paths().LangDir() + L"\\EN.ini";
    const std::set<std::string> removed = {"Configurator", "KeyboardSettings", "BASEDON",
                                           "HIGH",         "AllowSSAO",        "VeryHighBudget"};
    std::map<std::string, std::wstring> before;
    {
        const LanguageTexts texts(Paths().LangDir());
        for (const auto& key : removed) {
            before[key] = texts.Text(L"EN", key);
            ASSERT_NE(before[key], Utf8ToWide(key)) << "the sample has no own text for " << key;
        }
    }
    const auto original = ReadFileBytes(enFile);
    ASSERT_TRUE(original);
    ASSERT_TRUE(WriteFileBytes(enFile, WithoutKeys(*original, removed)));

    auto dialog = Launch();
    ASSERT_TRUE(dialog);
    const LanguageTexts texts(Paths().LangDir());
    EXPECT_EQ(dialog->Caption(), L"Configurator");
    EXPECT_EQ(dialog->Text(ids::kKeyboardLabel), L"KeyboardSettings");
    EXPECT_EQ(dialog->Text(ids::kPresetLabel), L"BASEDON");
    EXPECT_EQ(dialog->Text(ids::kResolutionLabel), texts.Text(L"EN", "Resolution"));
    EXPECT_EQ(dialog->ComboEntries(ids::kPresetList),
              (std::vector<std::wstring>{texts.Text(L"EN", "LOW"), texts.Text(L"EN", "MEDIUM"),
                                         L"HIGH", texts.Text(L"EN", "ULTRA")}));
    ASSERT_TRUE(dialog->Click(ids::kCustomCheck));
    EXPECT_EQ(dialog->Text(ids::RowLabel(12)), L"AllowSSAO");
    EXPECT_EQ(dialog->ComboEntries(ids::RowCombo(1)).back(), L"VeryHighBudget");
    ASSERT_TRUE(PressAndWaitForExit(*dialog, ids::kCancel));
}
