// Configuration files on Windows: wide paths (long ones in the \\?\ form), whole-file reads
// and replacement through a flushed temporary file put in place in one step.

#include "config/FileIo.h"
#include "config/LongPath.h"

#include <windows.h>

#include <vector>

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

// Reads and writes go in pieces that fit a DWORD.
constexpr size_t kMaxChunk = 1u << 30;

// What a saved file takes over from the one it replaces (the rest the system sets itself; a
// read-only target is never replaced).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                  FILE_ATTRIBUTE_OFFLINE;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close() {
        if (m_handle == INVALID_HANDLE_VALUE)
            return true;
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != FALSE;
    }

private:
    HANDLE m_handle;
};

std::wstring WidePath(const std::u16string& path) {
    const std::u16string extended = ExtendedLengthPath(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(extended.data()), extended.size());
}

// A file being written beside its target; deleted again unless it was moved over it.
class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring path)
        : m_path(std::move(path)),
          m_file(CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr)),
          m_created(m_file.IsOpen()) {}
    ~TemporaryFile() {
        m_file.Close();
        if (m_created && !m_moved)
            DeleteFileW(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return m_file.IsOpen(); }

    bool WriteAll(std::string_view bytes) {
        while (!bytes.empty()) {
            const DWORD chunk =
                static_cast<DWORD>(bytes.size() < kMaxChunk ? bytes.size() : kMaxChunk);
            DWORD written = 0;
            if (!WriteFile(m_file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return true;
    }

    bool FlushAndClose() { return FlushFileBuffers(m_file.Get()) && m_file.Close(); }

    // The new file takes over what the player may have set on the one it replaces: the
    // attributes, who may use it (its access list) and when it was created. ReplaceFileW keeps
    // these on Windows, but Wine's moves the old file away and deletes it before the new one
    // is in place, so a save cut short there would lose the player's file; one rename keeps
    // the replacement atomic everywhere. Best effort: the save does not fail for these.
    void TakeOverFrom(const std::wstring& target) {
        WIN32_FILE_ATTRIBUTE_DATA old{};
        if (!GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old))
            return; // a new file
        SetFileTime(m_file.Get(), &old.ftCreationTime, nullptr, nullptr);
        DWORD size = 0;
        GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
        m_access.resize(size);
        if (size == 0 || !GetFileSecurityW(target.c_str(), DACL_SECURITY_INFORMATION,
                                           m_access.data(), size, &size))
            m_access.clear();
        m_attributes = old.dwFileAttributes & kKeptAttributes;
    }

    // Without replace, a file that exists stops the move. The access list and the attributes
    // go on by path, once the file is closed.
    bool MoveOver(const std::wstring& target, bool replace) {
        if (!m_access.empty())
            SetFileSecurityW(m_path.c_str(), DACL_SECURITY_INFORMATION, m_access.data());
        if (m_attributes != 0)
            SetFileAttributesW(m_path.c_str(), m_attributes);
        m_moved = MoveFileExW(m_path.c_str(), target.c_str(),
                              (replace ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH) !=
                  FALSE;
        return m_moved;
    }

private:
    std::wstring m_path;
    FileHandle m_file;
    bool m_created;
    bool m_moved = false;
    std::vector<BYTE> m_access; // the replaced file's access list, as a security descriptor
    DWORD m_attributes = 0;
};

} // namespace

bool ReadFileBytes(const std::u16string& path, std::string& bytes) {
    bytes.clear();
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0)
        return false;
    std::string buffer(static_cast<size_t>(size.QuadPart), '\0');
    size_t used = 0;
    while (used < buffer.size()) {
        const size_t left = buffer.size() - used;
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer.data() + used,
                      static_cast<DWORD>(left < kMaxChunk ? left : kMaxChunk), &got, nullptr))
            return false;
        if (got == 0)
            break; // the file shrank meanwhile
        used += got;
    }
    buffer.resize(used);
    bytes = std::move(buffer);
    return true;
}

bool ReplaceFileAtomically(const std::u16string& path, std::string_view bytes) {
    const std::wstring target = WidePath(path);
    // Checked here because under some setups (Wine as root) the attribute alone blocks nothing,
    // and the move would replace a read-only file anyway.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    TemporaryFile temp(WidePath(path + u".tmp"));
    if (!temp.IsOpen())
        return false;
    temp.TakeOverFrom(target);
    return temp.WriteAll(bytes) && temp.FlushAndClose() && temp.MoveOver(target, true);
}

bool WriteNewFileAtomically(const std::u16string& path, std::string_view bytes) {
    TemporaryFile temp(WidePath(path + u".tmp"));
    return temp.IsOpen() && temp.WriteAll(bytes) && temp.FlushAndClose() &&
           temp.MoveOver(WidePath(path), false);
}

bool PathExists(const std::u16string& path) {
    return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
