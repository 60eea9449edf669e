#include "ExpectedIni.h"

void SetIniValue(IniModel& model, const std::string& section, const std::string& key,
                 const std::string& value) {
    model[section][key] = {value};
}

std::string IniValue(const IniModel& model, const std::string& section, const std::string& key) {
    const auto s = model.find(section);
    if (s == model.end())
        return {};
    const auto k = s->second.find(key);
    return k == s->second.end() || k->second.empty() ? std::string() : k->second.front();
}

std::string FormatIniBytes(const IniModel& model) {
    std::string bytes = "\xEF\xBB\xBF";
    for (const auto& [section, keys] : model) {
        bytes += "[" + section + "]\r\n";
        for (const auto& [key, values] : keys) {
            for (const auto& value : values)
                bytes += key + "=" + value + "\r\n";
        }
        bytes += "\r\n";
    }
    return bytes;
}

std::string ShowLineEnds(const std::string& bytes) {
    std::string shown;
    for (const char c : bytes) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n\n";
        else
            shown += c;
    }
    return shown;
}
