#pragma once
// Broken configuration files shared by the fault tests of the store and of the program under
// Wine. Header-only so that the end-to-end driver can use the same table. Big inputs are made
// on demand, never stored in the tree.

#include <cstdint>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace fault {

struct BadFile {
    const char* name;
    std::string (*bytes)();
    // Whether reading takes the whole file; nothing when either answer is sound.
    std::optional<bool> takenWhole;
};

inline void PrintTo(const BadFile& file, std::ostream* out) {
    *out << file.name;
}

// Bytes from a fixed seed: the engine's raw output is the same on every platform.
inline std::string Garbage(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    return bytes;
}

// UTF-16 code units as little-endian bytes, without a mark.
inline std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

inline std::string Utf16Be(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit >> 8));
        bytes.push_back(static_cast<char>(unit & 0xFF));
    }
    return bytes;
}

// What the player's settings look like before the damage.
inline std::string GoodStart() {
    return "\xEF\xBB\xBF[Engine]\r\nPerformancePlatform=2\r\n\r\n[Input]\r\n"
           "KeyboardLayout=AZERTY\r\n\r\n";
}

// Garbage with headers and key lines mixed in, so that the reader builds sections from it.
inline std::string GarbageWithLines() {
    std::string bytes = GoodStart();
    const std::string noise = Garbage(8192, 7);
    for (size_t i = 0; i < noise.size(); i += 256) {
        bytes += "[S" + std::to_string(i) + "]\r\nk" + std::to_string(i) + "=";
        bytes.append(noise, i, 256);
        bytes += "\r\n";
    }
    return bytes;
}

inline std::string TenThousandSections() {
    std::string bytes = GoodStart();
    for (int i = 0; i < 10000; ++i)
        bytes += "[Section" + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n";
    return bytes;
}

// A value, a key and a section name of 100 000 characters each, and a line without "=".
inline std::string LongLines() {
    const std::string longText(100000, 'x');
    return GoodStart() + "[Long]\r\nvalue=" + longText + "\r\nkey" + longText + "=1\r\n" +
           longText + "\r\n[" + std::string(100000, 'S') + "]\r\nk=v\r\n";
}

inline std::vector<BadFile> BadFiles() {
    return {
        {"Empty", [] { return std::string(); }, true},
        {"MarkOnly", [] { return std::string("\xEF\xBB\xBF"); }, true},
        {"BinaryGarbage", [] { return Garbage(16384, 1); }, std::nullopt},
        {"GarbageBetweenLines", GarbageWithLines, std::nullopt},
        {"InvalidUtf8",
         [] {
             return GoodStart() + "[Bad\xC3]\r\nk\xFF=v\x80\xBF\r\n"
                                  "x=\xED\xA0\x80\xF4\x90\x80\x80\xC0\xAF\xE2\x82\r\n";
         },
         true},
        {"Utf16LeWithLoneSurrogates",
         [] {
             return "\xFF\xFE" +
                    Utf16Le(u"[Engine]\r\nPerformancePlatform=2\r\nA=\xD800x\r\nB=\xDC00\r\n") +
                    "!";
         },
         true},
        {"Utf16BeMark",
         [] { return "\xFE\xFF" + Utf16Be(u"[Engine]\r\nPerformancePlatform=2\r\n"); }, false},
        // Without a mark the zero bytes end the text after one character.
        {"Utf16LeWithoutMark", [] { return Utf16Le(u"[Engine]\r\nPerformancePlatform=2\r\n"); },
         false},
        {"NulInTheMiddle",
         [] { return GoodStart() + std::string(1, '\0') + "[Viewport]\r\nWidth=800\r\n"; }, false},
        {"NulFirst", [] { return std::string(1, '\0') + GoodStart(); }, false},
        {"LongLines", LongLines, true},
        {"TenThousandSections", TenThousandSections, true},
        {"HeaderNeverClosedAtTheEnd", [] { return GoodStart() + "[Viewport"; }, true},
        {"HeaderNeverClosedOnItsLine", [] { return GoodStart() + "[Viewport\r\nWidth=800\r\n"; },
         false},
        {"HeaderWithASpace", [] { return GoodStart() + "[Key Bindings]\r\nA=1\r\n"; }, false},
        {"HeaderWithAControlCharacter", [] { return GoodStart() + "[Key\x01]\r\nA=1\r\n"; }, false},
        {"EmptyHeader", [] { return GoodStart() + "[]\r\nA=1\r\n"; }, false},
        {"KeyLineStartingWithEquals", [] { return GoodStart() + "[Viewport]\r\n=1\r\nA=1\r\n"; },
         false},
        {"EqualsRightAfterAHeader", [] { return GoodStart() + "[Viewport]=1\r\nA=1\r\n"; }, false},
        {"OpenBracketLast", [] { return GoodStart() + "["; }, false},
    };
}

} // namespace fault
