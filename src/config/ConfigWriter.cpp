// The written form of the model, in the layout the game expects: sorted sections and keys,
// one line per value, an empty line after every section. Lines have no length limit.

#include "ConfigFile.h"

namespace {

size_t FormattedLength(const ConfigSectionMap& sections) {
    size_t length = 0;
    for (const auto& [name, section] : sections) {
        length += name.size() + 4; // "[", "]", LF, and the empty line
        for (const auto& [key, values] : section)
            for (const auto& value : values)
                length += key.size() + value.size() + 2; // "=" and LF
    }
    return length;
}

} // namespace

std::u16string FormatConfigText(const ConfigSectionMap& sections) {
    std::u16string text;
    text.reserve(FormattedLength(sections));
    for (const auto& [name, section] : sections) {
        text += u'[';
        text += name;
        text += u"]\n";
        for (const auto& [key, values] : section) {
            for (const auto& value : values) {
                text += key;
                text += u'=';
                text += value;
                text += u'\n';
            }
        }
        text += u'\n';
    }
    return text;
}
