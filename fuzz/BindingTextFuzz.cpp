// Binding texts come from the player's own user file: any text must parse without harm, and
// whatever the program writes back from a parsed binding must read back to the same name.

#include "input/BindingText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Byte pairs as UTF-16 code units, so every code unit (control characters, surrogates,
    // U+0000) can occur.
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    std::u16string name;
    float value = 0;
    if (!ParseBindingText(text, name, value))
        return 0;
    std::u16string written;
    if (!FormatBindingText(name, value, written))
        return 0;
    std::u16string reread;
    float rereadValue = 0;
    if (!ParseBindingText(written, reread, rereadValue) || reread != name)
        std::abort();
    return 0;
}
