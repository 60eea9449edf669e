// Any bytes read as a configuration file, written and read again, give the same model, crash-free;
// the one-pass reader and writer agree with decoding then parsing and formatting then encoding.

#include "config/ConfigFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ConfigSectionMap first, decoded;
    std::u16string text;
    const bool whole = ReadConfigBytes(bytes, first);
    if (whole != (DecodeConfigBytes(bytes, text) && ParseConfigText(text, decoded)) ||
        first != decoded)
        std::abort();
    const std::u16string written = FormatConfigText(first);
    const std::string encoded = EncodeConfigBytes(written);
    const auto second = ConfigFile::FromBytes(u"Fuzz", u"", encoded);
    // Under 10 characters the written text reads as empty by design.
    if (FormatConfigBytes(first) != encoded ||
        (written.size() >= 10 && (!second->WasReadWhole() || second->Sections() != first)))
        std::abort();
    return 0;
}
