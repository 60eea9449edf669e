#pragma once
// Whole-file and folder operations of the test driver, on Windows paths.

#include <map>
#include <optional>
#include <string>
#include <string_view>

// Wine maps the Unix file system to drive Z: "/a/b" is "Z:\a\b".
std::wstring UnixToWinePath(std::string_view unixPath);

// Creates or truncates the file and writes exactly these bytes.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);

// The file's bytes; nullopt when it cannot be opened (missing, or a folder).
std::optional<std::string> ReadFileBytes(const std::wstring& path);

// Removes a file or a whole folder tree, read-only entries included. True when nothing is
// left at path.
bool RemoveTree(const std::wstring& path);

// Copies the folder tree from into to (created with its parents).
bool CopyTree(const std::wstring& from, const std::wstring& to);

// Creates the folder and any missing parents.
bool CreateFolders(const std::wstring& path);

bool FileExists(const std::wstring& path);

// Every file below folder, by relative path, with its bytes; folders appear with the value
// "<folder>". Used to show that a run left a folder byte-identical.
std::map<std::wstring, std::string> SnapshotFolder(const std::wstring& folder);
