// The section model through its public operations: keys and values are views into the
// section's own buffer, so changes, copies and values passed back in must all stay sound
// (the sanitizer build checks the memory side).

#include "ConfigTestSupport.h"

#include "config/ConfigFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string DumpSection(const ConfigSection& section) {
    ConfigSectionMap sections;
    sections[u"S"] = section;
    return Dump(sections);
}

TEST(ConfigSection, IterationGivesEachKeyOnceWithItsValuesInOrder) {
    ConfigSection section;
    EXPECT_TRUE(section.empty());
    EXPECT_TRUE(section.SetValue(u"b", u"1", true));
    EXPECT_TRUE(section.SetValue(u"a", u"x", false));
    EXPECT_TRUE(section.SetValue(u"b", u"2", true));
    EXPECT_TRUE(section.SetValue(u"B", u"y", false));
    std::vector<std::string> seen;
    for (const auto& [key, values] : section) {
        std::string line = Escaped(key) + ":" + std::to_string(values.size());
        for (const std::u16string_view value : values)
            line += " " + Escaped(value);
        EXPECT_EQ(values.front(), *values.begin());
        seen.push_back(line);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"B:1 y", "a:1 x", "b:2 1 2"}));
    EXPECT_FALSE(section.empty());
}

TEST(ConfigSection, SetValueRules) {
    ConfigSection section;
    EXPECT_FALSE(section.SetValue(u"", u"v", false));
    EXPECT_FALSE(section.SetValue(u"k", u"", true));
    EXPECT_TRUE(section.empty());
    EXPECT_TRUE(section.SetValue(u"k", u"1", true));
    EXPECT_TRUE(section.SetValue(u"k", u"2", true));
    EXPECT_TRUE(section.SetValue(u"k", u"", false));
    EXPECT_EQ(DumpSection(section), "[S] k=\"\"");
    std::u16string out = u"default";
    EXPECT_FALSE(section.GetValue(u"missing", out));
    EXPECT_EQ(out, u"default");
    EXPECT_TRUE(section.GetValue(u"k", out));
    EXPECT_EQ(out, u"");
    section.Clear();
    EXPECT_TRUE(section.empty());
    EXPECT_FALSE(section.GetValue(u"k", out));
}

// A key or value taken from the section itself and set again, while the buffer it lives
// in grows: it must be copied before the buffer moves.
TEST(ConfigSection, ValuesOfTheSectionItselfCanBeSetAgain) {
    ConfigSection section;
    section.SetValue(u"key", u"a value longer than any short string buffer", false);
    for (int i = 0; i < 50; ++i) {
        const auto [key, values] = *section.begin();
        ASSERT_TRUE(section.SetValue(key, values.front(), true));
    }
    const auto [key, values] = *section.begin();
    EXPECT_EQ(key, u"key");
    ASSERT_EQ(values.size(), 51u);
    for (const std::u16string_view value : values)
        EXPECT_EQ(value, u"a value longer than any short string buffer");
    ASSERT_TRUE(section.SetValue(u"other", key, false));
    std::u16string out;
    EXPECT_TRUE(section.GetValue(u"other", out));
    EXPECT_EQ(out, u"key");
}

// Settings written again at every OK replace their values; what is left behind is dropped
// at some point, and nothing else changes.
TEST(ConfigSection, ReplacingValuesManyTimesKeepsEveryOtherValue) {
    ConfigSection section;
    section.SetValue(u"Bind", u"IK_A", true);
    section.SetValue(u"Bind", u"IK_B", true);
    section.SetValue(u"Zed", u"last", false);
    for (int i = 0; i < 5000; ++i) {
        const std::u16string value = u"value number " + std::u16string(i % 40, u'x');
        ASSERT_TRUE(section.SetValue(u"Width", value, false));
        std::u16string out;
        ASSERT_TRUE(section.GetValue(u"Width", out));
        ASSERT_EQ(out, value);
    }
    EXPECT_EQ(DumpSection(section), "[S] Bind=\"IK_A\" Bind=\"IK_B\" Width=\"value number "
                                    "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\" Zed=\"last\"");
}

TEST(ConfigSection, EqualityIsAboutContentNotHowItWasBuilt) {
    ConfigSection built;
    built.SetValue(u"k", u"old", false);
    built.SetValue(u"a", u"1", true);
    built.SetValue(u"k", u"new", false);
    built.SetValue(u"a", u"2", true);
    const auto read = ConfigFile::FromBytes(u"R", u"", "[S]\nk=new\na=1\na=2\n");
    EXPECT_TRUE(*read->FindSection(u"S", false) == built);

    ConfigSection reordered;
    reordered.SetValue(u"a", u"2", true);
    reordered.SetValue(u"a", u"1", true);
    reordered.SetValue(u"k", u"new", false);
    EXPECT_FALSE(reordered == built);
    EXPECT_FALSE(ConfigSection{} == built);
}

// Copies own their text: they outlive the file they came from and do not change with it.
TEST(ConfigSection, CopiesOutliveAndDoNotFollowTheirFile) {
    ConfigSectionMap copied =
        ConfigFile::FromBytes(u"R", u"", "[S]\nk=1\nk=2\n[T]\nx=y\n")->Sections();
    EXPECT_EQ(Dump(copied), "[S] k=\"1\" k=\"2\" [T] x=\"y\"");

    auto file = ConfigFile::FromBytes(u"R", u"", "[S]\nk=1\nk=2\n[T]\nx=y\n");
    ConfigSection section = *file->FindSection(u"S", false);
    file->FindSection(u"S", false)->SetValue(u"k", u"changed", false);
    file.reset();
    EXPECT_EQ(DumpSection(section), "[S] k=\"1\" k=\"2\"");
    copied[u"S"] = section;
    copied[u"S"].SetValue(u"k", u"3", true);
    EXPECT_EQ(DumpSection(section), "[S] k=\"1\" k=\"2\"");
    EXPECT_EQ(Dump(copied), "[S] k=\"1\" k=\"2\" k=\"3\" [T] x=\"y\"");
}

// Parsing into sections that already hold values adds to them like a repeated header.
TEST(ConfigSection, ParsingAddsToSectionsAlreadyThere) {
    ConfigSectionMap sections;
    sections[u"S"].SetValue(u"m", u"set", false);
    sections[u"S"].SetValue(u"z", u"set", false);
    EXPECT_TRUE(ParseConfigText(u"[S]\nz=read\na=read\nm=read\n", sections));
    EXPECT_EQ(Dump(sections), "[S] a=\"read\" m=\"set\" m=\"read\" z=\"set\" z=\"read\"");
}

} // namespace
