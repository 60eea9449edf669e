// Any bytes read as a configuration file, written and read again, give the same model, and
// nothing crashes on the way. The one-pass paths (UTF-8 scanned as bytes; the model written
// straight to UTF-8) must also give exactly what decoding then parsing, and formatting then
// encoding, give.

#include "config/ConfigFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ConfigSectionMap first;
    const bool whole = ReadConfigBytes(bytes, first);
    ConfigSectionMap decoded;
    std::u16string text;
    const bool decodedWhole = DecodeConfigBytes(bytes, text) && ParseConfigText(text, decoded);
    if (whole != decodedWhole || first != decoded)
        std::abort();

    const std::u16string written = FormatConfigText(first);
    const std::string encoded = EncodeConfigBytes(written);
    if (FormatConfigBytes(first) != encoded)
        std::abort();
    const auto second = ConfigFile::FromBytes(u"Fuzz", u"", encoded);
    // Under 10 characters the written text reads as empty by design.
    if (written.size() < 10)
        return 0;
    if (!second->WasReadWhole() || second->Sections() != first)
        std::abort();
    return 0;
}
