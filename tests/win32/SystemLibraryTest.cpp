#include "config/win32/SystemLibrary.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// The folder of this test program, with its final backslash.
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length) + L'\\';
}

} // namespace

TEST(SystemLibrary, FindsAFunctionOfASystemLibrary) {
    const SystemLibrary library(L"kernel32.dll");
    ASSERT_TRUE(library);
    decltype(&lstrlenW) length = nullptr;
    ASSERT_TRUE(library.Find("lstrlenW", length));
    EXPECT_EQ(length(L"Kestrand"), 8);
}

TEST(SystemLibrary, AMissingLibraryHoldsNothingAndFindsNothing) {
    const SystemLibrary library(L"kestrand-no-such-library.dll");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(library);
    decltype(&lstrlenW) length = &lstrlenW;
    EXPECT_FALSE(library.Find("lstrlenW", length));
    EXPECT_EQ(length, nullptr);
}

TEST(SystemLibrary, AMissingFunctionIsNull) {
    const SystemLibrary library(L"kernel32.dll");
    ASSERT_TRUE(library);
    decltype(&lstrlenW) length = &lstrlenW;
    EXPECT_FALSE(library.Find("KestrandNoSuchFunction", length));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(length, nullptr);
}

TEST(SystemLibrary, AMoveHandsTheLibraryOver) {
    SystemLibrary first(L"kernel32.dll");
    SystemLibrary second(std::move(first));
    SystemLibrary third;
    third = std::move(second);
    decltype(&lstrlenW) length = nullptr;
    EXPECT_FALSE(first.Find("lstrlenW", length));
    EXPECT_FALSE(second.Find("lstrlenW", length));
    EXPECT_TRUE(third.Find("lstrlenW", length));
}

// A library of the same name beside the program (where a planted copy would sit) is not
// loaded: only the system folder is searched.
TEST(SystemLibrary, ALibraryBesideTheProgramIsNotLoaded) {
    const std::wstring name =
        L"kestrand-planted-" + std::to_wstring(GetCurrentProcessId()) + L".dll";
    const std::wstring planted = ProgramFolder() + name;
    ASSERT_TRUE(CopyFileW((SystemFolder() + L"version.dll").c_str(), planted.c_str(), FALSE));
    HMODULE usual = LoadLibraryW(name.c_str());
    const bool usualSearchFindsIt = usual != nullptr;
    if (usual != nullptr)
        FreeLibrary(usual);
    const bool systemSearchFindsIt = static_cast<bool>(SystemLibrary(name.c_str()));
    DeleteFileW(planted.c_str());
    if (!usualSearchFindsIt)
        GTEST_SKIP() << "this system does not load the copied library at all";
    EXPECT_FALSE(systemSearchFindsIt);
}

// Two libraries that nothing else here loads, one for each test: a kept one cannot be freed.
TEST(SystemLibrary, ALibraryIsFreedWithItsOwner) {
    const wchar_t* const name = L"msimg32.dll";
    if (GetModuleHandleW(name) != nullptr)
        GTEST_SKIP() << "already loaded by something else";
    {
        const SystemLibrary library(name);
        ASSERT_TRUE(library);
        EXPECT_NE(GetModuleHandleW(name), nullptr);
    }
    EXPECT_EQ(GetModuleHandleW(name), nullptr);
}

TEST(SystemLibrary, AKeptLibraryOutlivesItsOwner) {
    const wchar_t* const name = L"mpr.dll";
    if (GetModuleHandleW(name) != nullptr)
        GTEST_SKIP() << "already loaded by something else";
    {
        const SystemLibrary library(name);
        ASSERT_TRUE(library);
        library.KeepForProcess();
    }
    EXPECT_NE(GetModuleHandleW(name), nullptr);
}
