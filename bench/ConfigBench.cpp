// Loading and saving configuration files in memory, so the disk does not dominate: our
// ConfigFile (bytes -> full model; model -> bytes, as Write does) against inih
// (callback parse only) and SimpleIni (load into its model; save). Every case is registered
// once per round, all cases of a round before the next, so the programs run interleaved;
// round 0 is the warm-up. scripts/bench takes the median CPU time of the later rounds (CPU
// time, so that other work on the machine does not count).
// Usage: ConfigBench --rounds=N [Google Benchmark flags]

#include "ConfigCorpus.h"
#include "config/ConfigFile.h"

#include <SimpleIni.h>
#include <benchmark/benchmark.h>
#include <ini.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

struct Size {
    const char* name;
    size_t bytes;
};
constexpr Size kSizes[] = {{"100KB", 100 * 1024}, {"1MB", 1024 * 1024}, {"10MB", 10 * 1024 * 1024}};

const std::string& Corpus(size_t bytes) {
    static std::map<size_t, std::string> corpora;
    auto it = corpora.find(bytes);
    if (it == corpora.end())
        it = corpora.emplace(bytes, MakeConfigCorpus(bytes)).first;
    return it->second;
}

// items: what the program made of the corpus (sections, values or bytes written), a check
// that every program read it all.
void Report(benchmark::State& state, const std::string& corpus, size_t items) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.size()));
    state.counters["corpus_bytes"] = static_cast<double>(corpus.size());
    state.counters["items"] = static_cast<double>(items);
}

void LoadConfigFile(benchmark::State& state, size_t bytes) {
    const std::string& corpus = Corpus(bytes);
    size_t sections = 0;
    for (auto _ : state) {
        auto file = ConfigFile::FromBytes(u"Bench", u"", corpus);
        sections = file->Sections().size();
        benchmark::DoNotOptimize(file.get());
    }
    Report(state, corpus, sections);
}

int CountValue(void* user, const char*, const char*, const char*) {
    ++*static_cast<size_t*>(user);
    return 1;
}

void LoadInih(benchmark::State& state, size_t bytes) {
    const std::string& corpus = Corpus(bytes);
    size_t values = 0;
    for (auto _ : state) {
        values = 0;
        if (ini_parse_string(corpus.c_str(), CountValue, &values) != 0)
            state.SkipWithError("inih stopped early");
    }
    Report(state, corpus, values);
}

// The case-sensitive kind, as our files compare names exactly.
std::unique_ptr<CSimpleIniCaseA> LoadedSimpleIni(const std::string& corpus) {
    auto ini = std::make_unique<CSimpleIniCaseA>(/*isUtf8=*/true, /*multiKey=*/true);
    ini->SetSpaces(false);
    ini->LoadData(corpus);
    return ini;
}

void LoadSimpleIni(benchmark::State& state, size_t bytes) {
    const std::string& corpus = Corpus(bytes);
    for (auto _ : state) {
        auto ini = LoadedSimpleIni(corpus);
        benchmark::DoNotOptimize(ini.get());
    }
    CSimpleIniCaseA::TNamesDepend sections;
    LoadedSimpleIni(corpus)->GetAllSections(sections);
    Report(state, corpus, sections.size());
}

void SaveConfigFile(benchmark::State& state, size_t bytes) {
    const std::string& corpus = Corpus(bytes);
    const auto file = ConfigFile::FromBytes(u"Bench", u"", corpus);
    size_t written = 0;
    for (auto _ : state) {
        // What Write puts on disk.
        const std::string out = FormatConfigBytes(file->Sections());
        written = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, corpus, written);
}

void SaveSimpleIni(benchmark::State& state, size_t bytes) {
    const std::string& corpus = Corpus(bytes);
    const auto ini = LoadedSimpleIni(corpus);
    size_t written = 0;
    for (auto _ : state) {
        std::string out;
        ini->Save(out, /*addSignature=*/true);
        written = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, corpus, written);
}

using Case = void (*)(benchmark::State&, size_t);
struct NamedCase {
    const char* name;
    Case run;
};
constexpr NamedCase kCases[] = {
    {"load/ConfigFile", LoadConfigFile}, {"load/inih", LoadInih},
    {"load/SimpleIni", LoadSimpleIni},   {"save/ConfigFile", SaveConfigFile},
    {"save/SimpleIni", SaveSimpleIni},
};

int TakeRounds(int& argc, char** argv) {
    int rounds = 11;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--rounds=", 9) == 0)
            rounds = std::atoi(argv[i] + 9);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return rounds;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = TakeRounds(argc, argv);
    for (int round = 0; round < rounds; ++round) {
        for (const Size& size : kSizes) {
            for (const NamedCase& bench : kCases) {
                const std::string name =
                    std::string(bench.name) + "/" + size.name + "/round:" + std::to_string(round);
                benchmark::RegisterBenchmark(name.c_str(), bench.run, size.bytes)
                    ->Unit(benchmark::kMillisecond)
                    ->MinTime(0.1);
            }
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
