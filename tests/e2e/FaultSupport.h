#pragma once
// What the fault tests of the real program need beyond the common driver: the user file that
// OK must leave after reading a damaged one, deep folders, and a tiny full disk (Wine only:
// mounted by a Unix shell).

#include "GameData.h"

#include <string>
#include <string_view>

// True when the program's reader takes these bytes whole (so no backup is due).
bool TakenWhole(std::string_view bytes);

// The bytes User.ini must hold after OK, when it held original before and the main window's
// choices were left as they started: what the reader took from it, plus what OK writes.
std::string ExpectedAfterOk(std::string_view original, const ProfileFiles& profiles);

// The folder and its missing parents, for paths of any length (through the \\?\ form).
bool CreateLongFolders(const std::wstring& path);

// A tmpfs of a few pages, mounted through a Unix shell that Wine starts for us; unmounted
// again when the object goes. Mounting needs Wine and root; Failure() says why it failed.
class TinyDisk {
public:
    explicit TinyDisk(size_t bytes);
    ~TinyDisk();
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Failure() const { return m_failure; }
    // The mount as a Windows path (through drive Z:).
    std::wstring Root() const;

private:
    std::string m_unixPath;
    bool m_mounted = false;
    std::string m_failure;
};
