#pragma once
// The only platform code of the configuration files: whole-file reads and atomic
// replacement. Paths are UTF-16; Windows gets them as wide paths (long ones in the \\?\ form),
// other systems as UTF-8.

#include <string>
#include <string_view>

// Reads the whole file into bytes. False when it cannot be opened or read.
bool ReadFileBytes(const std::u16string& path, std::string& bytes);

// Writes bytes to a temporary file beside path, flushes it to disk and puts it in place of
// path in one rename; the new file keeps the attributes, the access list and the creation
// time of the file it replaces. False on any failure, or when path exists and is
// read-only; the old file then stays byte-identical and no temporary file is left.
bool ReplaceFileAtomically(const std::u16string& path, std::string_view bytes);

// The same for a file that must not exist yet: false, changing nothing, when anything is at
// path, also when it appears while the bytes are written.
bool WriteNewFileAtomically(const std::u16string& path, std::string_view bytes);

// True when something exists at path.
bool PathExists(const std::u16string& path);
