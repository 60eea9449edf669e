#include "ConfigTestSupport.h"

#include "config/ConfigFile.h"
#include "config/Text.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct ReadCase {
    const char* what;
    std::string bytes;
    const char* model; // Dump() of the expected model
    bool whole;        // taken whole, or reading stopped early
};

void ExpectReads(const ReadCase& c) {
    const auto file = ConfigFile::FromBytes(u"Test", u"", c.bytes);
    EXPECT_EQ(Dump(file->Sections()), c.model) << c.what;
    EXPECT_EQ(file->WasReadWhole(), c.whole) << c.what;
}

TEST(ConfigReader, Encodings) {
    using namespace std::string_literals;
    const ReadCase cases[] = {
        {"plain UTF-8", "[A]\nK=1\nL=2\n", "[A] K=\"1\" L=\"2\"", true},
        {"CR LF read as LF", "[A]\r\nK=1\r\nL=2\r\n", "[A] K=\"1\" L=\"2\"", true},
        {"UTF-8 mark skipped", "\xEF\xBB\xBF[A]\nK=1\nL=2\n", "[A] K=\"1\" L=\"2\"", true},
        {"UTF-16LE mark", Utf16LeBytes(u"[A]\r\nK=\u00E9\u4E2D\U0001F600\r\n"),
         "[A] K=\"\\u{00E9}\\u{4E2D}\\u{D83D}\\u{DE00}\"", true},
        {"big-endian mark unreadable", "\xFE\xFF\0[\0A\0]\0\n\0K\0=\0001\0\n\0L\0=\0002\0\n"s, "",
         false},
        {"invalid UTF-8 becomes U+FFFD", "[A]\nK=x\xFF\xC3\nL=2\n",
         "[A] K=\"x\\u{FFFD}\\u{FFFD}\" L=\"2\"", true},
        {"lone surrogates in UTF-16LE become U+FFFD",
         Utf16LeBytes(u"[A]\nK=") + "\x00\xD8x\0\n\0\x00\xDC\n\0"s, "[A] K=\"\\u{FFFD}x\"", true},
        {"odd trailing byte in UTF-16LE", Utf16LeBytes(u"[A]\nKey=1\n") + "\x41", "[A] Key=\"1\"",
         true},
        {"UTF-8 mark only after the start is text", "[A]\nK=\xEF\xBB\xBFvw\n",
         "[A] K=\"\\u{FEFF}vw\"", true},
    };
    for (const auto& c : cases)
        ExpectReads(c);
}

TEST(ConfigReader, NulAndTheTenCharacterRule) {
    using namespace std::string_literals;
    const ReadCase cases[] = {
        {"8 characters read as empty", "[A]\nK=1\n", "", true},
        {"9 characters read as empty", "[A]\nK=12\n", "", true},
        {"10 characters are read", "[A]\nK=123\n", "[A] K=\"123\"", true},
        {"counted after CR LF became LF", "[A]\r\nK=12\r\n", "", true},
        {"counted in UTF-16 units", "[A]\nK=\xF0\x9F\x98\x80\xF0\x9F\x98\x80",
         "[A] K=\"\\u{D83D}\\u{DE00}\\u{D83D}\\u{DE00}\"", true},
        {"NUL ends the text", "[A]\nK=1\nL=2\n\0[B]\nM=3\n"s, "[A] K=\"1\" L=\"2\"", false},
        {"NUL can make the text short", "[A]\nK=1\0[B]\nM=3\nN=4\n"s, "", false},
        {"NUL in UTF-16LE ends the text", Utf16LeBytes(u"[A]\nK=1\nL=2\n") + "\0\0[\0B\0]\0"s,
         "[A] K=\"1\" L=\"2\"", false},
        {"zeros alone after the text lose nothing", "[A]\nK=1\nL=2\n\0\0"s, "[A] K=\"1\" L=\"2\"",
         true},
    };
    for (const auto& c : cases)
        ExpectReads(c);
}

TEST(ConfigReader, ScanRules) {
    const ReadCase cases[] = {
        {"spaces around = belong to key and value", "[S]\nK = V\n", "[S] K =\" V\"", true},
        {"the first = ends the key", "[S]\na=b=c\n", "[S] a=\"b=c\"", true},
        {"a TAB starts a further line", "[S]\nKey=A\tB=C\n", "[S] B=\"C\" Key=\"A\"", true},
        {"other control characters end a line too", "[S]\nK=a\x01Z=b\x7F\n",
         "[S] K=\"a\" Z=\"b\\u{007F}\"", true},
        {"leading blanks are skipped", "[S]\n \t  K=1\n", "[S] K=\"1\"", true},
        {"text before the first header is ignored", "x=1\ny=2\n[S]\nK=1\n", "[S] K=\"1\"", true},
        {"[ opens a header inside a line", "junk x[S]\nK=1\n", "[S] K=\"1\"", true},
        {"keys on the header's line", "[S]x=1\ny=2\n", "[S] x=\"1\" y=\"2\"", true},
        {"lines without a value are ignored", "[A]\nK=\nComment line\n;c=\nL=2\n", "[A] L=\"2\"",
         true},
        {"repeated key keeps every value in order", "[A]\nK=3\nK=1\nK=2\n",
         "[A] K=\"3\" K=\"1\" K=\"2\"", true},
        {"repeated headers merge", "[B]\nY=1\n[A]\nX=1\n[B]\nZ=2\nY=3\n",
         "[A] X=\"1\" [B] Y=\"1\" Y=\"3\" Z=\"2\"", true},
        {"upper case sorts before lower case", "[a]\nk=1\n[B]\nK=1\n[Z]\nz=1\nA=2\n_=3\n",
         "[B] K=\"1\" [Z] A=\"2\" _=\"3\" z=\"1\" [a] k=\"1\"", true},
        {"order by unsigned code units", "[\xE4\xB8\xAD]\nK=1\n[\xC3\xA9]\nK=1\n[z]\nK=1\n",
         "[z] K=\"1\" [\\u{00E9}] K=\"1\" [\\u{4E2D}] K=\"1\"", true},
        {"a prefix sorts first", "[S]\nab=1\na=2\nabc=3\n", "[S] a=\"2\" ab=\"1\" abc=\"3\"", true},
        {"header names may hold [ = and wide characters", "[a[b=\xE4\xB8\xAD]\nK=1\n",
         "[a[b=\\u{4E2D}] K=\"1\"", true},
        {"an unclosed header at the end creates its section", "[A]\nK=1\n[Name",
         "[A] K=\"1\" [Name]", true},
        {"characters above U+00FF at a line start are skipped",
         "[S]\n\xE4\xB8\xAD\xF0\x9F\x98\x80Key=1\n", "[S] Key=\"1\"", true},
        {"characters above U+00FF inside a line are kept", "[S]\nK\xE4\xB8\xAD=\xC3\xA9 x\n",
         "[S] K\\u{4E2D}=\"\\u{00E9} x\"", true},
        {"Latin-1 characters start a key", "[S]\n\xC3\xA9t\xC3\xA9=1\n",
         "[S] \\u{00E9}t\\u{00E9}=\"1\"", true},
        {"a section without keys", "[Empty]\n\n[S]\nK=1\n", "[Empty] [S] K=\"1\"", true},
    };
    for (const auto& c : cases)
        ExpectReads(c);
}

TEST(ConfigReader, StopRulesKeepWhatWasRead) {
    const ReadCase cases[] = {
        {"header holding a space", "[A]\nK=1\n[Two words]\nL=2\n", "[A] K=\"1\"", false},
        {"header without ] at its line end", "[A]\nK=1\n[B\nL=2\n", "[A] K=\"1\"", false},
        {"header holding a TAB", "[A]\nK=1\n[B\t]\nL=2\n", "[A] K=\"1\"", false},
        {"empty header", "[A]\nK=1\n[]\nL=2\n", "[A] K=\"1\"", false},
        {"[ as the last character", "[A]\nK=12\n[", "[A] K=\"12\"", false},
        {"key line starting with =", "[A]\nK=1\n=2\nL=3\n", "[A] K=\"1\"", false},
        {"= after the header on its line", "[A]\nK=1\n[S]=1\nL=2\n", "[A] K=\"1\" [S]", false},
        {"= after skipped wide characters", "[S]\nA=1\n\xE4\xB8\xAD=2\nB=3\n", "[S] A=\"1\"",
         false},
        {"stop before the first header", "x [a b]\n[A]\nK=1\n", "", false},
        {"= before the first header is harmless", "=x\n[A]\nK=1\n", "[A] K=\"1\"", true},
    };
    for (const auto& c : cases)
        ExpectReads(c);
}

TEST(ConfigReader, BlocksAreSortedAndMergedStably) {
    const ReadCase cases[] = {
        {"keys of a block out of order, one repeated", "[S]\nz=1\nb=1\nz=2\na=1\nb=2\nz=3\n",
         "[S] a=\"1\" b=\"1\" b=\"2\" z=\"1\" z=\"2\" z=\"3\"", true},
        {"a repeated header's keys go between and after the earlier ones",
         "[S]\nm=1\nb=1\n[T]\nx=1\n[S]\nz=2\nm=2\na=2\nb=2\n",
         "[S] a=\"2\" b=\"1\" b=\"2\" m=\"1\" m=\"2\" z=\"2\" [T] x=\"1\"", true},
        {"a stop keeps the block read so far, sorted", "[S]\nk=1\nb=2\n[bad name]\nc=3\n",
         "[S] b=\"2\" k=\"1\"", false},
        {"keys on the line of a repeated header", "[S]\nb=1\n[S]a=1\tb=2\n",
         "[S] a=\"1\" b=\"1\" b=\"2\"", true},
    };
    for (const auto& c : cases)
        ExpectReads(c);
}

// Bytes built from what the scan and the decoder care about, invalid UTF-8 included, in
// random order and amounts.
std::string RandomBytes(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "[",
        "]",
        "=",
        " ",
        "\t",
        "\n",
        "\r\n",
        "\r",
        "\x01",
        "\x7F",
        "a",
        "B",
        "key",
        "Value",
        "[S]\n",
        "[s]\n",
        "k=v\n",
        "K=1\n",
        "\xC3\xA9",
        "\xC3\xBF",
        "\xC4\x80",
        "\xE4\xB8\xAD",
        "\xF0\x9F\x98\x80",
        "\xEF\xBB\xBF",
        "\xFF",
        "\xC3",
        "\xE4\xB8",
        "\xF0\x9F\x98",
        "\x80",
        "\xED\xA0\x80",
        "\xC0\xAF",
        std::string(1, '\0'),
    };
    std::uniform_int_distribution<size_t> length(0, 40);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::string bytes;
    for (size_t n = length(random); n > 0; --n) {
        const std::string& piece = pieces[pick(random)];
        // NUL ends the text, so it stays rare.
        if (piece[0] == '\0' && random() % 8 != 0)
            continue;
        bytes += piece;
    }
    return bytes;
}

// UTF-8 is scanned as bytes and decoded piece by piece; it must give exactly what decoding
// the whole text and scanning that gives, whatever the bytes, around the length below which
// a text may be too short as well.
TEST(ConfigReader, ReadingBytesEqualsDecodingThenParsing) {
    std::mt19937 random(20240612);
    for (int i = 0; i < 30000; ++i) {
        std::string bytes = RandomBytes(random);
        if (i % 4 == 0)
            bytes.insert(0, "\xEF\xBB\xBF");
        ConfigSectionMap expected;
        std::u16string text;
        const bool expectedWhole =
            DecodeConfigBytes(bytes, text) && ParseConfigText(text, expected);
        ConfigSectionMap read;
        const bool whole = ReadConfigBytes(bytes, read);
        ASSERT_EQ(Dump(read), Dump(expected)) << Escaped(Widen(bytes));
        ASSERT_TRUE(read == expected) << Escaped(Widen(bytes));
        ASSERT_EQ(whole, expectedWhole) << Escaped(Widen(bytes));
    }
}

TEST(ConfigReader, LinesLongerThanAnyBuffer) {
    const std::string key(3000, 'k');
    const std::string value(5000, 'v');
    const std::string name(2000, 'S');
    const auto file =
        ConfigFile::FromBytes(u"Long", u"", "[" + name + "]\r\n" + key + "=" + value + "\r\n");
    ConfigSection* section = file->FindSection(Widen(name), false);
    ASSERT_NE(section, nullptr);
    std::u16string out;
    ASSERT_TRUE(section->GetValue(Widen(key), out));
    EXPECT_EQ(out, Widen(value));
}

TEST(ConfigDecode, CrLfAndNulAtTheEdges) {
    using namespace std::string_literals;
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"", u""},
        {"\r", u"\r"},
        {"a\r\r\nb", u"a\r\nb"},
        {"a\n\r", u"a\n\r"},
        {"a\r\0\nb"s, u"a\r"},
        {"\xEF\xBB\xBF", u""},
        {"\xEF\xBB", u"\uFFFD"},
        {"\xFF\xFE", u""},
        {"\xFF\xFE\r\0\n\0"s, u"\n"},
        {"\xFF\xFE\r\0\r\0"s, u"\r\r"},
    };
    for (const auto& c : cases) {
        std::u16string text = u"junk";
        EXPECT_TRUE(DecodeConfigBytes(c.bytes, text)) << Escaped(Widen(c.bytes));
        EXPECT_EQ(text, c.text) << Escaped(Widen(c.bytes));
    }
    std::u16string text = u"junk";
    EXPECT_FALSE(DecodeConfigBytes("\xFE\xFF", text));
    EXPECT_EQ(text, u"");
}

} // namespace
