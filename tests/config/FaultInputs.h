#pragma once
// Broken files for the fault tests: small ones spelled in data/bad-files.txt, big ones made here.

#include "ConfigTestSupport.h"

#include <optional>

namespace fault {

struct BadFile {
    std::string name;
    std::function<std::string()> bytes;
    std::optional<bool> takenWhole; // whether read whole; nothing when either answer is sound
};

// Bytes from a fixed seed: the engine's raw output is the same on every platform.
inline std::string Garbage(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

inline const std::string kGoodStart = // the player's settings before the damage
    "\xEF\xBB\xBF[Engine]\r\nPerformancePlatform=2\r\n\r\n[Input]\r\nKeyboardLayout=AZERTY\r\n\r\n";

// Garbage with headers and key lines mixed in, so that the reader builds sections from it.
inline std::string GarbageWithLines() {
    std::string bytes = kGoodStart;
    for (size_t i = 0; i < 8192; i += 256)
        bytes += "[S" + std::to_string(i) + "]\r\nk" + std::to_string(i) + "=" +
                 Garbage(8192, 7).substr(i, 256) + "\r\n";
    return bytes;
}

// A value, a key and a section name of 100 000 characters each, and a line without "=".
inline std::string LongLines() {
    const std::string x(100000, 'x');
    return kGoodStart + "[Long]\r\nvalue=" + x + "\r\nkey" + x + "=1\r\n" + x + "\r\n[" +
           std::string(100000, 'S') + "]\r\nk=v\r\n";
}

inline std::string TenThousandSections() {
    std::string bytes = kGoodStart;
    for (int i = 0; i < 10000; ++i)
        bytes += "[Section" + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n";
    return bytes;
}

inline std::vector<BadFile> BadFiles() {
    std::vector<BadFile> files = {{"BinaryGarbage", [] { return Garbage(16384, 1); }, std::nullopt},
                                  {"GarbageBetweenLines", GarbageWithLines, std::nullopt},
                                  {"LongLines", LongLines, true},
                                  {"TenThousandSections", TenThousandSections, true}};
    for (const Case& c : ReadCases(TEST_DATA("bad-files.txt"))) {
        std::string bytes = Unescape(c[1]);
        if (const size_t good = bytes.find("{good}"); good != std::string::npos)
            bytes.replace(good, 6, kGoodStart);
        files.push_back({c[0], [bytes] { return bytes; }, c[2] == "whole"});
    }
    return files;
}

} // namespace fault
