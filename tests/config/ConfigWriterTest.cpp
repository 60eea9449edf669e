#include "ConfigTestSupport.h"

#include "config/ConfigFile.h"
#include "config/Text.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// The bytes on disk, made both ways: through the text, and in one pass as Write does.
std::string WrittenBytes(const ConfigSectionMap& sections) {
    const std::string bytes = EncodeConfigBytes(FormatConfigText(sections));
    EXPECT_EQ(FormatConfigBytes(sections), bytes);
    return bytes;
}

TEST(ConfigWriter, EmptyModelIsTheMarkAlone) {
    EXPECT_EQ(WrittenBytes({}), "\xEF\xBB\xBF");
}

TEST(ConfigWriter, SortedLinesWithCrLfAndUtf8) {
    const auto file = ConfigFile::FromBytes(u"User", u"", "");
    ConfigSection* rendering = file->FindSection(u"Rendering", true);
    rendering->SetValue(u"Fullscreen", u"1", false);
    rendering->SetValue(u"AllowAntialias", u"0", false);
    rendering->SetValue(u"allow", u"x", false);
    file->FindSection(u"Engine", true);
    ConfigSection* input = file->FindSection(u"Input", true);
    input->SetValue(u"Bind", u"IK_W", true);
    input->SetValue(u"Bind", u"IK_Up", true);
    input->SetValue(u"Empty", u"", false);
    input->SetValue(u"K \u00E9", u" \u4E2D\U0001F600", false);

    EXPECT_EQ(WrittenBytes(file->Sections()), "\xEF\xBB\xBF"
                                              "[Engine]\r\n"
                                              "\r\n"
                                              "[Input]\r\n"
                                              "Bind=IK_W\r\n"
                                              "Bind=IK_Up\r\n"
                                              "Empty=\r\n"
                                              "K \xC3\xA9= \xE4\xB8\xAD\xF0\x9F\x98\x80\r\n"
                                              "\r\n"
                                              "[Rendering]\r\n"
                                              "AllowAntialias=0\r\n"
                                              "Fullscreen=1\r\n"
                                              "allow=x\r\n"
                                              "\r\n");
}

TEST(ConfigWriter, RewritesAMessyFileInTheGamesForm) {
    const auto file = ConfigFile::FromBytes(u"User", u"",
                                            "; settings\nx=1\n[B]\r\nz = 1\r\n; comment\r\n"
                                            "[A]\r\nk=1\r\n[B]\r\na=2\r\nk=x\tq=y\nk=\nempty\n");
    EXPECT_EQ(WrittenBytes(file->Sections()), "\xEF\xBB\xBF"
                                              "[A]\r\n"
                                              "k=1\r\n"
                                              "\r\n"
                                              "[B]\r\n"
                                              "a=2\r\n"
                                              "k=x\r\n"
                                              "q=y\r\n"
                                              "z = 1\r\n"
                                              "\r\n");
}

TEST(ConfigWriter, UnescapedTextDoesNotReadBackTheSame) {
    const auto file = ConfigFile::FromBytes(u"User", u"", "");
    ConfigSection* section = file->FindSection(u"S", true);
    section->SetValue(u"a=b", u"v", false);
    section->SetValue(u"Empty", u"", false);
    section->SetValue(u"Tab", u"1\t2", false);
    section->SetValue(u"Line", u"1\n2", false);
    section->SetValue(u"Lone", std::u16string(1, char16_t(0xD800)) + u"x", false);
    const auto again = ConfigFile::FromBytes(u"User", u"", WrittenBytes(file->Sections()));
    EXPECT_EQ(Dump(again->Sections()), "[S] Line=\"1\" Lone=\"\\u{FFFD}x\" Tab=\"1\" a=\"b=v\"");
}

TEST(ConfigEncode, Utf8WithCrLfAndReplacedLoneSurrogates) {
    const char16_t high = 0xD83D, low = 0xDE00;
    const struct {
        std::u16string text;
        std::string bytes; // after the mark
    } cases[] = {
        {u"", ""},
        {u"a\nb", "a\r\nb"},
        {u"\r\n", "\r\r\n"},
        {u"\u007F\u0080\u07FF\u0800\uFFFF", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
        {{high, low}, "\xF0\x9F\x98\x80"},
        {{high}, "\xEF\xBF\xBD"},
        {{low, high}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {{high, high, low}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
        {{high, u'\n', low}, "\xEF\xBF\xBD\r\n\xEF\xBF\xBD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodeConfigBytes(c.text), "\xEF\xBB\xBF" + c.bytes) << Escaped(c.text);
}

// A text built from the characters that the rules care about, in random order and amounts,
// so that most texts hold headers and key lines and some break every rule.
std::u16string RandomText(std::mt19937& random) {
    static const std::vector<std::u16string> pieces = {
        u"[",
        u"]",
        u"=",
        u" ",
        u"\t",
        u"\n",
        u"\r\n",
        u"\r",
        u"\x01",
        u"\x7F",
        u"a",
        u"B",
        u"key",
        u"Value",
        u"[S]\n",
        u"[s]\n",
        u"k=v\n",
        u"K=1\n",
        u"\u00E9",
        u"\u00FF",
        u"\u0100",
        u"\u4E2D",
        u"\U0001F600",
        u"\uFEFF",
        std::u16string(1, char16_t(0xD800)),
        std::u16string(1, char16_t(0xDC00)),
        std::u16string(1, u'\0'),
    };
    std::uniform_int_distribution<size_t> length(0, 60);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::u16string text;
    for (size_t n = length(random); n > 0; --n) {
        const std::u16string& piece = pieces[pick(random)];
        // NUL ends the text, so it stays rare.
        if (piece[0] == u'\0' && random() % 8 != 0)
            continue;
        text += piece;
    }
    return text;
}

TEST(ConfigRoundTrip, AModelReadWrittenAndReadAgainIsUnchanged) {
    std::mt19937 random(20240611);
    int compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::u16string source = RandomText(random);
        // Half as UTF-8, half as UTF-16LE (lone surrogates only survive the latter).
        const std::string bytes = i % 2 ? Utf16LeBytes(source) : Utf16ToUtf8(source);
        const auto first = ConfigFile::FromBytes(u"R", u"", bytes);
        const std::u16string written = FormatConfigText(first->Sections());
        const auto second = ConfigFile::FromBytes(u"R", u"", EncodeConfigBytes(written));
        ASSERT_EQ(FormatConfigBytes(first->Sections()), EncodeConfigBytes(written))
            << Escaped(source);
        if (written.size() < 10)
            continue; // too short to be read again
        ++compared;
        ASSERT_TRUE(second->WasReadWhole()) << Escaped(source);
        ASSERT_EQ(Dump(second->Sections()), Dump(first->Sections())) << Escaped(source);
        ASSERT_TRUE(second->Sections() == first->Sections()) << Escaped(source);
    }
    // The generator must keep producing texts that say something.
    EXPECT_GT(compared, 5000);
}

} // namespace
