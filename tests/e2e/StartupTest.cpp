// Where start-up finds the installation and languages (hives, views, odd values), and its exits.

#include "Fixture.h"

#include <iomanip>
#include <sstream>

namespace {

constexpr int kShows = 0; // the window shows; OK saves and ends normally

struct StartCase { // a line of registry/cases.txt, which describes the columns
    std::string name;
    int status = kShows;
    std::wstring text, voice;
    std::string caption, golden;
    Hive hive = Hive::Player; // of an imported value of odd type or size (when bytes)
    std::wstring value;
    DWORD type = REG_NONE;
    size_t bytes = 0;
};

bool ImportRegistryFile(const std::wstring& path) {
    std::wstring commandLine = L"regedit.exe /s \"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                   &startup, &info);
    DWORD status = 1; // also when regedit did not start
    WaitForSingleObject(info.hProcess, kWaitMs);
    GetExitCodeProcess(info.hProcess, &status);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return status == 0;
}

std::vector<StartCase> ReadStartCases() {
    const auto language = [](const std::string& field) { // "L*2048": 2048 times L
        const size_t times = field.find('*');
        return times == std::string::npos
                   ? Wide(field)
                   : std::wstring(std::stoul(field.substr(times + 1)), Wide(field)[0]);
    };
    const std::map<std::string, Hive> hives{{"Player", Hive::Player},
                                            {"Machine32", Hive::Machine32}};
    const std::map<std::string, DWORD> types{{"REG_SZ", REG_SZ}, {"REG_BINARY", REG_BINARY}};
    std::vector<StartCase> cases;
    // Without the file, one case that fails.
    std::istringstream file(
        ReadFileBytes(TestFile("registry/cases.txt")).value_or("NoCasesFile 0"));
    for (std::string line; std::getline(file, line);) {
        std::istringstream fields(line);
        StartCase c;
        std::string status, text, voice, hive, value, type;
        if (!(fields >> c.name >> status) || c.name[0] == '#')
            continue;
        c.status = status == "shows" ? kShows : std::stoi(status);
        fields >> text >> voice >> std::quoted(c.caption) >> c.golden >> hive >> value >> type >>
            c.bytes;
        c.text = language(text);
        c.voice = language(voice);
        if (c.bytes) {
            c.hive = hives.at(hive);
            c.value = Wide(value);
            c.type = types.at(type);
        }
        cases.push_back(c);
    }
    return cases;
}

class StartTest : public ConfiguratorTest, public ::testing::WithParamInterface<StartCase> {};

} // namespace

TEST_P(StartTest, EndsOrShowsAndSaves) {
    const StartCase& c = GetParam();
    const auto keys = [] {
        return std::vector{GameKeyValues(Hive::Player), GameKeyValues(Hive::Machine32),
                           GameKeyValues(Hive::Machine64)};
    };
    const auto before = keys();
    ASSERT_TRUE(ImportRegistryFile(TestFile("registry/" + std::string(c.name) + ".reg")));
    ASSERT_NE(keys(), before) << "the import changed nothing";
    if (c.bytes) {
        auto values = GameKeyValues(c.hive).value_or(RegistryValues{});
        EXPECT_EQ(values[c.value].type, c.type);
        EXPECT_EQ(values[c.value].bytes.size(), c.bytes);
    }
    const StartupOutcome outcome = Start();
    if (c.status != kShows) {
        const bool reported = c.status == 102 || c.status == 103 || c.status == 105;
        const std::string box = ", box Configurator: Could not find valid The Kestrand 2 "
                                "installation, please reinstall the game.";
        EXPECT_EQ(outcome.Describe(), "no main dialog, exit status " + std::to_string(c.status) +
                                          (reported ? box : ""));
        EXPECT_TRUE(SnapshotFolder(P().Config()).empty());
        return;
    }
    ASSERT_TRUE(outcome.dialog && outcome.boxes.empty()) << outcome.Describe();
    EXPECT_EQ(Utf8(WindowText(Main().Handle())), c.caption);
    EXPECT_FALSE(FileExists(P().UserIni())) << "written before OK";
    ASSERT_TRUE(PressAndWaitForExit(IDOK));
    auto player = GameKeyValues(Hive::Player).value_or(RegistryValues{});
    EXPECT_EQ(player[L"Language"], StringValue(c.text));
    EXPECT_EQ(player[L"Speech"], StringValue(c.voice));
    ExpectUserIniGolden(c.golden);
}

INSTANTIATE_TEST_SUITE_P(Registry, StartTest, ::testing::ValuesIn(ReadStartCases()), CaseName);

// The lists hold each data file's first two letters (ASCII upper-cased, duplicates kept) and select
// the last that matches; without voice files the list is empty and OK keeps the stored "Speech".
TEST_F(ConfiguratorTest, LanguageListsFromTheDataFiles) {
    ASSERT_TRUE(SetLanguageFiles({L"en0", L"EN1", L"fr", L"\u00E4\u00F6x"}, {}));
    ASSERT_TRUE(SetGameString(Hive::Machine32, L"Speech", L"DE"));
    ASSERT_TRUE(Launch());
    EXPECT_EQ(Main().Entries(IDC_TEXT_COMBO),
              (std::vector<std::wstring>{L"EN", L"EN", L"FR", L"\u00E4\u00F6"}));
    EXPECT_EQ(Main().Selection(IDC_TEXT_COMBO), 1);
    EXPECT_EQ(Main().Count(IDC_VOICE_COMBO), 0);
    ASSERT_TRUE(PressAndWaitForExit(IDOK));
    EXPECT_EQ((*GameKeyValues(Hive::Player))[L"Speech"], StringValue(L"DE"));
}
