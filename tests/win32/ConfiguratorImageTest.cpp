// What the program's image promises the system before any of its code runs: the libraries it
// imports and the settings of its manifest.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Configurator.exe of the same build: the folder above this test program's.
std::wstring ConfiguratorPath() {
    wchar_t path[MAX_PATH] = {};
    std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    program.erase(program.find_last_of(L'\\'));
    program.erase(program.find_last_of(L'\\') + 1);
    return program + L"Configurator.exe";
}

std::vector<char> ReadFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <typename T> bool Read(const std::vector<char>& image, size_t offset, T& out) {
    if (offset > image.size() || image.size() - offset < sizeof(T))
        return false;
    std::memcpy(&out, image.data() + offset, sizeof(T));
    return true;
}

// The file offset of a relative virtual address, through the section that holds it.
bool FileOffset(const std::vector<char>& image, size_t sections, unsigned count, DWORD rva,
                size_t& offset) {
    for (unsigned i = 0; i < count; ++i) {
        IMAGE_SECTION_HEADER section;
        if (!Read(image, sections + i * sizeof(section), section))
            return false;
        if (rva >= section.VirtualAddress &&
            rva - section.VirtualAddress <
                std::max(section.Misc.VirtualSize, section.SizeOfRawData)) {
            offset = section.PointerToRawData + (rva - section.VirtualAddress);
            return true;
        }
    }
    return false;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The names of the DLLs in the import table, in lower case; empty when the file is not an
// image of this program's kind.
std::vector<std::string> ImportedLibraries(const std::vector<char>& image) {
    std::vector<std::string> names;
    IMAGE_DOS_HEADER dos;
    IMAGE_NT_HEADERS nt;
    if (!Read(image, 0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        !Read(image, static_cast<size_t>(dos.e_lfanew), nt) || nt.Signature != IMAGE_NT_SIGNATURE ||
        nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC)
        return names;
    const size_t sections = static_cast<size_t>(dos.e_lfanew) +
                            offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                            nt.FileHeader.SizeOfOptionalHeader;
    const unsigned count = nt.FileHeader.NumberOfSections;
    const DWORD importsRva =
        nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    size_t entry = 0;
    if (importsRva == 0 || !FileOffset(image, sections, count, importsRva, entry))
        return names;
    IMAGE_IMPORT_DESCRIPTOR descriptor;
    for (; Read(image, entry, descriptor) && descriptor.Name != 0; entry += sizeof(descriptor)) {
        size_t name = 0;
        if (!FileOffset(image, sections, count, descriptor.Name, name) || name >= image.size())
            return {};
        const char* text = image.data() + name;
        names.push_back(
            Lower(std::string(text, std::find(text, image.data() + image.size(), '\0'))));
    }
    return names;
}

// The manifest embedded as resource 1, as text; empty when there is none.
std::string EmbeddedManifest(const std::wstring& path) {
    const HMODULE image = LoadLibraryExW(path.c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!image)
        return {};
    std::string text;
    if (const HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST)) {
        const HGLOBAL loaded = LoadResource(image, found);
        const auto* bytes = static_cast<const char*>(loaded ? LockResource(loaded) : nullptr);
        if (bytes)
            text.assign(bytes, SizeofResource(image, found));
    }
    FreeLibrary(image);
    return text;
}

} // namespace

// Sharp at every display scale, long paths, the systems it was tested on, the common
// controls of version 6, and no elevation.
TEST(ConfiguratorImage, ManifestSettings) {
    const std::string manifest = EmbeddedManifest(ConfiguratorPath());
    if (manifest.empty() && !std::filesystem::exists(ConfiguratorPath()))
        GTEST_SKIP() << "no Configurator.exe beside the tests folder";
    const char* const entries[] = {
        "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
        "PerMonitorV2</dpiAwareness>",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm"
        "</dpiAware>",
        "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"
        "</longPathAware>",
        "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>", // Windows 7
        "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>", // 8
        "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>", // 8.1
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>", // 10 and 11
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
    };
    for (const char* entry : entries)
        EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
}

TEST(ConfiguratorImage, NoneOfTheLibrariesLoadedOnFirstUse) {
    const std::vector<char> image = ReadFile(ConfiguratorPath());
    if (image.empty())
        GTEST_SKIP() << "no Configurator.exe beside the tests folder";
    const std::vector<std::string> imports = ImportedLibraries(image);
    // A table read wrongly would find nothing and pass.
    ASSERT_NE(std::find(imports.begin(), imports.end(), "user32.dll"), imports.end());
    const char* const loadedOnFirstUse[] = {"d3d9.dll",     "dinput8.dll", "ole32.dll",
                                            "oleaut32.dll", "winmm.dll",   "xinput1_3.dll"};
    for (const char* library : loadedOnFirstUse)
        EXPECT_EQ(std::find(imports.begin(), imports.end(), library), imports.end()) << library;
}
