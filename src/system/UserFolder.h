#pragma once
// The player's folders: where the Documents folder is, and what both OK buttons do before
// the user store is written: a player who never started the game has no configuration folder
// yet, and the game's file "User" must stay writable.

#include <string>

class ConfigStore;

// The player's Documents folder (the shell's CSIDL_PERSONAL); empty when the system cannot
// tell.
std::u16string DocumentsFolder();

// Creates folder and its parents; folders deeper than MAX_PATH are made one level at a time
// in the long form, which the shell's own call refuses.
void CreateFolderTree(const std::u16string& folder);

// Creates the store's folder and clears the read-only attribute of its file "User".
void PrepareUserFolder(ConfigStore& store);

// True when the file at path exists and carries the read-only attribute.
bool IsReadOnlyFile(const std::u16string& path);
