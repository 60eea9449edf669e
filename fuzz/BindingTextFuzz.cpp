// Binding texts come from the player's own user file: any text must parse without harm, and
// whatever the program writes back from a parsed binding must read back to the same name.

#include "input/BindingText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Byte pairs as UTF-16 code units, so that any unit (controls, surrogates, U+0000) occurs.
    std::u16string text, name, written, reread;
    for (size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    float value = 0;
    if (ParseBindingText(text, name, value) && FormatBindingText(name, value, written) &&
        (!ParseBindingText(written, reread, value) || reread != name))
        std::abort();
    return 0;
}
