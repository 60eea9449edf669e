// What the program's image promises before any of its code runs: its imports and its manifest.

#include "../config/ConfigTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// The libraries loaded on first use are not imported (user32 is, so the table was read); the
// manifest holds each entry of data/manifest.txt.
TEST(ConfiguratorImage, ImportsAndManifest) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH); // in the tests' folder, below the build's
    const fs::path program = fs::path(path).parent_path().parent_path() / "Configurator.exe";
    // Mapped as an image that never runs; the low bits of the handle tell how.
    const HMODULE image = LoadLibraryExW(program.c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr) << "no Configurator.exe beside the tests folder";
    const auto* base = reinterpret_cast<const char*>(reinterpret_cast<ULONG_PTR>(image) & ~3);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::string imports = " ";
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + rva);
         rva != 0 && entry->Name != 0; ++entry)
        imports += std::string(base + entry->Name) + " ";
    _strlwr(imports.data());
    const HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
    const std::string manifest =
        found ? std::string(static_cast<const char*>(LockResource(LoadResource(image, found))),
                            SizeofResource(image, found))
              : "";
    FreeLibrary(image);
    EXPECT_NE(imports.find(" user32.dll "), std::string::npos) << imports;
    for (const char* library : {"d3d9", "dinput8", "ole32", "oleaut32", "winmm", "xinput1_3"})
        EXPECT_EQ(imports.find(" " + std::string(library) + ".dll "), std::string::npos) << imports;
    for (const Case& entry : ReadCases(TEST_DATA("manifest.txt")))
        EXPECT_NE(manifest.find(entry[0]), std::string::npos) << entry[0];
}
