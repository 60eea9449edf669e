#include "ConfigCorpus.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace {

// Words of the game's languages, so values carry two- and three-byte UTF-8 sequences.
constexpr std::array kWords{
    "texture",   "Schatten", "qualité", "Größe",  "détail", "Kantenglättung",
    "éclairage", "IK_Space", "GI_Jump", "0.75",   "1920",   "Übergang",
    "brume",     "東京",     "ωmega",   "Straße",
};
constexpr size_t kKeysPerSection = 24;
constexpr size_t kRepeatedValues = 3;

// A fixed pseudo-random sequence: the corpus must not change between runs.
class Sequence {
public:
    uint32_t Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }

private:
    uint32_t m_state = 12345;
};

void AppendValue(std::string& out, Sequence& sequence) {
    const size_t words = 1 + sequence.Next() % 5;
    for (size_t i = 0; i < words; ++i) {
        if (i != 0)
            out += ' ';
        out += kWords[sequence.Next() % kWords.size()];
    }
}

void AppendSection(std::string& out, Sequence& sequence) {
    char line[64];
    std::snprintf(line, sizeof line, "[Section%06X]\r\n", static_cast<unsigned>(sequence.Next()));
    out += line;
    for (size_t key = 0; key < kKeysPerSection; ++key) {
        std::snprintf(line, sizeof line, "Setting%02zu%c=", key,
                      static_cast<char>('A' + sequence.Next() % 26));
        out += line;
        AppendValue(out, sequence);
        out += "\r\n";
    }
    for (size_t i = 0; i < kRepeatedValues; ++i) {
        out += "Bindings=";
        AppendValue(out, sequence);
        out += "\r\n";
    }
    out += "\r\n";
}

} // namespace

std::string MakeConfigCorpus(size_t targetBytes) {
    std::string out = "\xEF\xBB\xBF";
    out.reserve(targetBytes + 4096);
    Sequence sequence;
    while (out.size() < targetBytes)
        AppendSection(out, sequence);
    return out;
}
