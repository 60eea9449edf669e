#pragma once
// Generated configuration files for the load and save benchmarks: the same bytes on every
// run, shaped like the game's files but much larger.

#include <cstddef>
#include <string>

// About targetBytes of UTF-8 with a byte-order mark and CR LF line ends: many sections in no
// particular order, two dozen keys each, a key repeated three times in every section, and
// non-ASCII text in some values. Lines stay short enough for every parser compared.
std::string MakeConfigCorpus(size_t targetBytes);
