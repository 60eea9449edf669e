#pragma once
// Windows refuses plain paths of MAX_PATH (260) characters or more; the extended form with
// the \\?\ prefix lifts the limit but turns off the system's own tidying of the path, so it
// is tidied here. Pure text work, kept portable so that it is tested on every build.

#include <string>
#include <string_view>

// A path of 260 or more characters that starts with a drive ("C:\") or a share
// ("\\server\share") comes back as "\\?\C:\..." or "\\?\UNC\server\share\...", with '/' turned
// into '\', runs of separators collapsed and "." and ".." parts resolved. Shorter paths,
// relative ones and ones already in the \\?\ or \\.\ form come back unchanged.
std::u16string ExtendedLengthPath(std::u16string_view path);
