// Configuration files on POSIX systems (the native build of the core and its tests).

#include "config/FileIo.h"
#include "config/Text.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int Get() const { return m_fd; }
    // close can report a failed delayed write (NFS, full disks), so its result counts.
    bool Close() {
        if (m_fd < 0)
            return true;
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// A file being written beside its target; removed again unless it was renamed over it.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path)
        : m_path(std::move(path)),
          m_file(::open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {}
    ~TemporaryFile() {
        const bool created = m_file.IsOpen() || m_closed;
        m_file.Close();
        if (created && !m_renamed)
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool IsOpen() const { return m_file.IsOpen(); }

    void CopyModeOf(const struct stat& target) {
        // Best effort: the new file should look like the one it replaces.
        (void)::fchmod(m_file.Get(), target.st_mode & 07777);
    }

    bool WriteAll(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(m_file.Get(), bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            bytes.remove_prefix(static_cast<size_t>(written));
        }
        return true;
    }

    bool FlushAndClose() {
        if (::fsync(m_file.Get()) != 0)
            return false;
        m_closed = true;
        return m_file.Close();
    }

    bool RenameOver(const std::string& target) {
        m_renamed = ::rename(m_path.c_str(), target.c_str()) == 0;
        return m_renamed;
    }

    // A hard link fails where anything exists already; the temporary name then goes.
    bool LinkAsNew(const std::string& target) {
        return ::link(m_path.c_str(), target.c_str()) == 0;
    }

private:
    std::string m_path;
    FileDescriptor m_file;
    bool m_closed = false;
    bool m_renamed = false;
};

std::string NativePath(const std::u16string& path) {
    return Utf16ToUtf8(path);
}

// Makes the rename itself durable; a failure here leaves a complete file either way.
void SyncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen())
        (void)::fsync(dir.Get());
}

} // namespace

bool ReadFileBytes(const std::u16string& path, std::string& bytes) {
    bytes.clear();
    FileDescriptor file(::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    // One byte more than the size, so that the read that finds the end needs no growth.
    std::string buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : 0) + 1, '\0');
    size_t used = 0;
    for (;;) {
        if (used == buffer.size())
            buffer.resize(buffer.size() * 2);
        const ssize_t got = ::read(file.Get(), buffer.data() + used, buffer.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        used += static_cast<size_t>(got);
    }
    buffer.resize(used);
    bytes = std::move(buffer);
    return true;
}

bool ReplaceFileAtomically(const std::u16string& path, std::string_view bytes) {
    const std::string target = NativePath(path);
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    // Checked here because the permission bits do not stop the superuser.
    if (exists && (info.st_mode & S_IWUSR) == 0)
        return false;
    TemporaryFile temp(target + ".tmp");
    if (!temp.IsOpen())
        return false;
    if (exists && S_ISREG(info.st_mode))
        temp.CopyModeOf(info);
    if (!temp.WriteAll(bytes) || !temp.FlushAndClose() || !temp.RenameOver(target))
        return false;
    SyncFolderOf(target);
    return true;
}

bool WriteNewFileAtomically(const std::u16string& path, std::string_view bytes) {
    const std::string target = NativePath(path);
    TemporaryFile temp(target + ".tmp");
    if (!temp.IsOpen() || !temp.WriteAll(bytes) || !temp.FlushAndClose() || !temp.LinkAsNew(target))
        return false;
    SyncFolderOf(target);
    return true;
}

bool PathExists(const std::u16string& path) {
    struct stat info {};
    return ::stat(NativePath(path).c_str(), &info) == 0;
}
