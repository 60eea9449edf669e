#include "Files.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

namespace {

// The names in a folder, without "." and "..".
std::vector<WIN32_FIND_DATAW> ListFolder(const std::wstring& folder) {
    std::vector<WIN32_FIND_DATAW> entries;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back(data);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

bool IsFolderEntry(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void SnapshotInto(const std::wstring& folder, const std::wstring& prefix,
                  std::map<std::wstring, std::string>& out) {
    for (const auto& entry : ListFolder(folder)) {
        const std::wstring path = folder + L"\\" + entry.cFileName;
        const std::wstring relative = prefix + entry.cFileName;
        if (IsFolderEntry(entry)) {
            out[relative] = "<folder>";
            SnapshotInto(path, relative + L"\\", out);
        } else {
            out[relative] = ReadFileBytes(path).value_or("<unreadable>");
        }
    }
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::wstring UnixToWinePath(std::string_view unixPath) {
    std::wstring path = L"Z:";
    for (const char c : unixPath)
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return path;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    if (IsFolder(path))
        return std::nullopt;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

bool RemoveTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return DeleteFileW(path.c_str()) != 0;
    for (const auto& entry : ListFolder(path))
        RemoveTree(path + L"\\" + entry.cFileName);
    return RemoveDirectoryW(path.c_str()) != 0;
}

bool CopyTree(const std::wstring& from, const std::wstring& to) {
    if (!CreateFolders(to))
        return false;
    bool ok = true;
    for (const auto& entry : ListFolder(from)) {
        const std::wstring source = from + L"\\" + entry.cFileName;
        const std::wstring target = to + L"\\" + entry.cFileName;
        if (IsFolderEntry(entry))
            ok = CopyTree(source, target) && ok;
        else
            ok = CopyFileW(source.c_str(), target.c_str(), FALSE) && ok;
    }
    return ok;
}

bool CreateFolders(const std::wstring& path) {
    const int result = SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::map<std::wstring, std::string> SnapshotFolder(const std::wstring& folder) {
    std::map<std::wstring, std::string> snapshot;
    SnapshotInto(folder, L"", snapshot);
    return snapshot;
}
