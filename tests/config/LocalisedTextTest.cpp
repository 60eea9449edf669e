#include "ConfigTestSupport.h"

#include "config/ConfigStore.h"
#include "config/LocalisedText.h"

#include <gtest/gtest.h>

namespace {

class LocalisedTextTest : public testing::Test {
protected:
    void SetUp() override {
        WriteAll(m_folder.Path(u"en.ini"), "\xEF\xBB\xBF[Configurator]\r\n"
                                           "Configurator=Settings\r\n"
                                           "Error=Configurator error\r\n"
                                           "NoText=\r\n"
                                           "Twice=first\r\n"
                                           "Twice=second\r\n"
                                           "[InputEditor]\r\n"
                                           "Error=Input problem\r\n"
                                           "KeyboardError=No keyboard\r\n");
        WriteAll(m_folder.Path(u"de.ini"), "[Configurator]\r\nConfigurator=Einstellungen\r\n");
        LangStore = std::make_unique<ConfigStore>(m_folder.Directory());
    }
    void TearDown() override { ReleaseConfigStores(); }

    TempFolder m_folder;
};

TEST_F(LocalisedTextTest, TextsAndFallbacksToTheKey) {
    const struct {
        const char* what;
        std::u16string language, key, configurator, inputEditor;
    } cases[] = {
        {"found", u"en", u"Configurator", u"Settings", u"Configurator"},
        {"the two sections are distinct", u"en", u"Error", u"Configurator error", u"Input problem"},
        {"only in InputEditor", u"en", u"KeyboardError", u"KeyboardError", u"No keyboard"},
        {"missing key", u"en", u"Missing", u"Missing", u"Missing"},
        {"empty value line is not stored", u"en", u"NoText", u"NoText", u"NoText"},
        {"repeated key gives its first value", u"en", u"Twice", u"first", u"Twice"},
        {"missing section", u"de", u"KeyboardError", u"KeyboardError", u"KeyboardError"},
        {"missing file", u"fr", u"Configurator", u"Configurator", u"Configurator"},
        {"empty language", u"", u"Configurator", u"Configurator", u"Configurator"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetConfiguratorText(c.language, c.key), c.configurator) << c.what;
        EXPECT_EQ(GetInputEditorText(c.language, c.key), c.inputEditor) << c.what;
    }
}

TEST_F(LocalisedTextTest, EachLanguageFileIsLoadedOnceAndOnlyWithAStore) {
    EXPECT_EQ(GetConfiguratorText(u"en", u"Configurator"), u"Settings");
    EXPECT_EQ(GetConfiguratorText(u"de", u"Configurator"), u"Einstellungen");
    // A change on disk is not seen: the file was read on its first use.
    WriteAll(m_folder.Path(u"en.ini"), "[Configurator]\r\nConfigurator=Changed\r\n");
    EXPECT_EQ(GetConfiguratorText(u"en", u"Configurator"), u"Settings");
    EXPECT_EQ(GetInputEditorText(u"en", u"Error"), u"Input problem");
    ASSERT_EQ(LangStore->Files().size(), 2u);
    EXPECT_EQ(LangStore->Files()[0]->Name(), u"en");
    EXPECT_EQ(LangStore->Files()[1]->Name(), u"de");
    // Without LangStore every key is shown as it is.
    ReleaseConfigStores();
    EXPECT_EQ(GetConfiguratorText(u"en", u"Configurator"), u"Configurator");
    EXPECT_EQ(GetInputEditorText(u"en", u"Error"), u"Error");
}

} // namespace
