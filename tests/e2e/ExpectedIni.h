#pragma once
// The tests' own model of a configuration file, to state the exact bytes that saving must
// produce. Sections, keys and values are UTF-8; with ASCII names, std::string's byte order is
// the game's order (unsigned code units, upper case before lower case).

#include <map>
#include <string>
#include <vector>

using IniSection = std::map<std::string, std::vector<std::string>>;
using IniModel = std::map<std::string, IniSection>;

// Gives section/key exactly one value, as every save does.
void SetIniValue(IniModel& model, const std::string& section, const std::string& key,
                 const std::string& value);

// The first value of section/key, or the empty text.
std::string IniValue(const IniModel& model, const std::string& section, const std::string& key);

// The file as the game writes it: the UTF-8 mark; per section the header, one line per value
// and an empty line; every line ended by CR LF.
std::string FormatIniBytes(const IniModel& model);

// Shows CR and LF so that a byte-level difference is readable in a failure message.
std::string ShowLineEnds(const std::string& bytes);
