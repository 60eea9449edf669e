// What the program's image promises the system before any of its code runs: the libraries it
// imports and the settings of its manifest.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

// The libraries loaded on first use are not imported (user32 is, so the table was read); the
// manifest asks for sharpness at every display scale, long paths, the systems the program was
// tested on, the common controls of version 6, and no elevation.
TEST(ConfiguratorImage, ImportsAndManifest) {
    wchar_t path[MAX_PATH] = {};
    std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    program.erase(program.find_last_of(L'\\'));
    program.erase(program.find_last_of(L'\\') + 1); // the build's folder, above the tests'
    // Mapped as an image that never runs; the low bits of the handle tell how.
    const HMODULE image = LoadLibraryExW((program + L"Configurator.exe").c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr) << "no Configurator.exe beside the tests folder";
    const auto* base = reinterpret_cast<const char*>(reinterpret_cast<ULONG_PTR>(image) & ~3);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD table =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::string imports = " ";
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + table);
         table != 0 && entry->Name != 0; ++entry)
        imports += std::string(base + entry->Name) + " ";
    std::ranges::transform(imports, imports.begin(),
                           [](unsigned char c) { return std::tolower(c); });
    const HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
    const std::string manifest =
        found ? std::string(static_cast<const char*>(LockResource(LoadResource(image, found))),
                            SizeofResource(image, found))
              : "";
    FreeLibrary(image);
    EXPECT_NE(imports.find(" user32.dll "), std::string::npos) << imports;
    for (const char* library : {"d3d9", "dinput8", "ole32", "oleaut32", "winmm", "xinput1_3"})
        EXPECT_EQ(imports.find(" " + std::string(library) + ".dll "), std::string::npos) << imports;
    for (const char* entry :
         {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
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
          "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"})
        EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
}
