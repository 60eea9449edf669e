#include "system/SystemLibrary.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// Find fills the pointer or nulls it; GetLastError tells why a load or a look-up failed.
TEST(SystemLibrary, FindsWhatTheLibraryHolds) {
    decltype(&lstrlenW) length = &lstrlenW;
    const SystemLibrary missing(L"kestrand-no-such-library.dll");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(missing || missing.Find("lstrlenW", length) || length != nullptr);
    const SystemLibrary kernel(L"kernel32.dll");
    length = &lstrlenW;
    EXPECT_FALSE(kernel.Find("KestrandNoSuchFunction", length) || length != nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    ASSERT_TRUE(kernel && kernel.Find("lstrlenW", length));
    EXPECT_EQ(length(L"Kestrand"), 8);
}

// Only the system folder is searched: a copy of a system library beside the program, where a
// planted one would sit, is not loaded.
TEST(SystemLibrary, ALibraryBesideTheProgramIsNotLoaded) {
    wchar_t path[MAX_PATH] = {};
    const std::wstring name = L"kestrand-" + std::to_wstring(GetCurrentProcessId()) + L".dll";
    std::wstring planted(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    planted = planted.substr(0, planted.find_last_of(L'\\') + 1) + name;
    const std::wstring original(path, GetSystemDirectoryW(path, MAX_PATH));
    ASSERT_TRUE(CopyFileW((original + L"\\version.dll").c_str(), planted.c_str(), FALSE));
    const HMODULE usual = LoadLibraryW(name.c_str());
    FreeLibrary(usual);
    const bool systemSearchFindsIt = static_cast<bool>(SystemLibrary(name.c_str()));
    DeleteFileW(planted.c_str());
    if (usual == nullptr)
        GTEST_SKIP() << "this system does not load the copied library at all";
    EXPECT_FALSE(systemSearchFindsIt);
}

// A library is freed with its owner unless kept for the process; two that nothing else here
// loads, as a kept one cannot be freed.
TEST(SystemLibrary, FreedWithItsOwnerUnlessKept) {
    for (const auto& [name, keep] : {std::pair{L"msimg32.dll", false}, {L"mpr.dll", true}}) {
        if (GetModuleHandleW(name) != nullptr)
            GTEST_SKIP() << "already loaded by something else";
        {
            const SystemLibrary library(name);
            ASSERT_TRUE(library && GetModuleHandleW(name) != nullptr);
            if (keep)
                library.KeepForProcess();
        }
        EXPECT_EQ(GetModuleHandleW(name) != nullptr, keep) << keep;
    }
}
