#include "ConfigTestSupport.h"

#include "app/Installation.h"
#include "config/LongPath.h"
#include "ui/main/MainWindowLists.h"

// Each case of data/reader-cases.txt reads as the model shown; the one-pass reader (UTF-8 of 30
// bytes or more scanned as bytes) agrees with decoding then scanning, also behind blanks making the
// case that long; the model written reads back, and the one-pass writer agrees with formatting.
TEST(Config, ReaderCases) {
    for (const Case& c : ReadCases(TEST_DATA("reader-cases.txt"))) {
        SCOPED_TRACE(c[0]);
        const std::string bytes = Unescape(c[1]);
        const auto file = ConfigFile::FromBytes(u"T", u"", bytes);
        EXPECT_EQ(Dump(file->Sections()), c[2]);
        EXPECT_EQ(file->WasReadWhole() ? "whole" : "stops", c[3]);
        for (const std::string& input : {bytes, std::string(30, ' ') + bytes}) {
            ConfigSectionMap read, decoded;
            std::u16string text;
            EXPECT_EQ(ReadConfigBytes(input, read),
                      DecodeConfigBytes(input, text) && ParseConfigText(text, decoded));
            EXPECT_EQ(Dump(read), Dump(decoded));
        }
        const std::string written = FormatConfigBytes(file->Sections());
        EXPECT_EQ(written, EncodeConfigBytes(FormatConfigText(file->Sections())));
        if (FormatConfigText(file->Sections()).size() >= 10) { // shorter texts read as empty
            EXPECT_EQ(Dump(ConfigFile::FromBytes(u"T", u"", written)->Sections()), c[2]);
        }
    }
    const std::string name(2000, 'S'), key(3000, 'k'), value(5000, 'v'); // longer than buffers
    const auto file = ConfigFile::FromBytes(u"T", u"", "[" + name + "]\n" + key + "=" + value);
    EXPECT_EQ(Dump(file->Sections()), "[" + name + "] " + key + "=\"" + value + "\"");
}

// A messy file rewritten in the game's form, with values set through the model that need every
// length of UTF-8, lone surrogates and line ends: byte for byte data/writer-golden.ini.
TEST(Config, WriterGolden) {
    TempFolder folder;
    WriteAll(folder.Path(u"User.ini"), ReadAll(TEST_DATA("writer-input.ini")));
    ConfigFile file(u"User", folder.Path(u"User.ini"));
    file.FindSection(u"Engine", true);
    ConfigSection* input = file.FindSection(u"Input", true);
    input->SetValue(u"Bind", u"IK_Up", true);
    input->SetValue(u"Empty", u"", false);
    input->SetValue(u"Wide \u00E9", u"\u0080\u07FF\u0800\uFFFF\U0001F600", false);
    input->SetValue(u"Lone", std::u16string{0xD83D, u'x', 0xDE00, 0xD83D, 0xD83D, 0xDE00}, false);
    input->SetValue(u"Lines", u"1\n2\r\n3", false);
    ASSERT_TRUE(file.Write());
    const std::string golden = ReadAll(TEST_DATA("writer-golden.ini"));
    EXPECT_EQ(Escaped(Widen(ReadAll(folder.Path(u"User.ini")))), Escaped(Widen(golden)));
    EXPECT_FALSE(ConfigFile::FromBytes(u"User", u"", golden)->Write()); // no path, no file
}

// Keys and values view their section's buffer: set from the section itself as it grows and moves,
// and replaced thousands of times (unused text dropped at times), they stay sound to the sanitizer.
TEST(Config, SectionValuesOutliveChanges) {
    const std::u16string longValue = u"a value longer than any short string buffer";
    ConfigSection section;
    section.SetValue(u"key", longValue, false);
    for (int i = 0; i < 50; ++i) {
        const auto [key, values] = *section.begin();
        ASSERT_TRUE(section.SetValue(key, values.front(), true));
    }
    ASSERT_TRUE(section.SetValue(u"other", (*section.begin()).key, false));
    for (int i = 0; i < 5000; ++i)
        ASSERT_TRUE(section.SetValue(u"Width", std::u16string(i % 40, u'x'), false));
    section.SetValue(u"key", u"last", true);
    std::string keys;
    for (int i = 0; i <= 50; ++i)
        keys += " key=\"" + Escaped(longValue) + "\"";
    EXPECT_EQ(Dump({{u"S", section}}),
              "[S] Width=\"" + std::string(39, 'x') + "\"" + keys + " key=\"last\" other=\"key\"");
}

static std::optional<std::u16string> Read(const std::string& field) {
    return field == "-" ? std::nullopt : std::optional(CaseText(field));
}

static std::string Installation(const Case& c) {
    const auto found = ResolveInstallation(
        {c[1] == "open", Read(c[2]), Read(c[3]), Read(c[4]), Read(c[5]), Read(c[6])});
    return std::to_string(found.status) + " \"" + Escaped(found.textLanguage) + "\" \"" +
           Escaped(found.voiceLanguage) + "\"" +
           (ShowsReinstallMessage(found.status) ? " reinstall" : "");
}

static std::string Resolution(const Case& c) {
    return Escaped(FormatResolution(WantedResolution({1280, 1024}, Read(c[1]), Read(c[2]))));
}

static std::string LongPath(const Case& c) { // paths are spelled without escapes
    const std::string part(120, 'p'), tail = part + "\\" + part + "\\User.ini";
    std::string path = c[1];
    path.replace(path.find("{tail}"), 6, tail);
    std::string shown = Escaped(ExtendedLengthPath(Widen(path)));
    return shown.replace(shown.find(tail), tail.size(), "{tail}");
}

TEST(Config, FunctionCases) {
    ConfigSectionMap sections;
    const auto change = [&sections](const Case& c) {
        ConfigSection& section = sections[u"S"];
        const bool accepted =
            c[0] == "Clear" ? (section.Clear(), true)
                            : section.SetValue(CaseText(c[1]), CaseText(c[2]), c[3] == "append");
        std::u16string first;
        const bool found = section.GetValue(CaseText(c[1]), first);
        return (accepted ? "accepted; " : "refused; ") + Dump(sections) + "; " +
               (found ? "\"" + Escaped(first) + "\"" : "none");
    };
    using C = const Case&;
    const CaseFunctions functions = {
        {"ParseDecimalInt", [](C c) { return std::to_string(ParseDecimalInt(CaseText(c[1]))); }},
        {"Utf8ToUtf16", [](C c) { return Escaped(Utf8ToUtf16(Unescape(c[1]))); }},
        {"RegistryDataAsText", [](C c) { return Escaped(RegistryDataAsText(Unescape(c[1]))); }},
        {"ResolveInstallation", Installation},
        {"LanguageCodeFromFileName",
         [](C c) { return Escaped(LanguageCodeFromFileName(CaseText(c[1]))); }},
        {"WantedResolution", Resolution},
        {"FullscreenIndex", [](C c) { return std::to_string(FullscreenIndex(CaseText(c[1]))); }},
        {"KeyboardLayoutIndex",
         [](C c) { return std::to_string(KeyboardLayoutIndex(CaseText(c[1]))); }},
        {"KeyboardLayout",
         [](C c) {
             const int i = std::stoi(c[1]);
             return Escaped(KeyboardLayoutText(i) + u" [" + InputLayoutName(i) + u"]");
         }},
        {"ExtendedLengthPath", LongPath},
        {"SetValue", change},
        {"Clear", change}};
    ExpectCases(TEST_DATA("cases.txt"), functions);
    EXPECT_EQ(Utf16ToUtf8(u"\xD800\u0080\u07FF\u0800\U0001F600"), // a lone surrogate replaced
              "\xEF\xBF\xBD\xC2\x80\xDF\xBF\xE0\xA0\x80\xF0\x9F\x98\x80");
}
