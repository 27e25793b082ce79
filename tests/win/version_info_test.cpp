#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/quellix_process.h"

namespace {

using quellix::test::QuellixExePath;

std::wstring VersionString(const std::vector<char>& block, const wchar_t* name) {
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), key.c_str(), &value, &length) || !value) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

TEST(VersionInfo, ExeCarriesTheVersionRecord) {
    const std::wstring exe = QuellixExePath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version record in the exe";
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.00");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.00");
    EXPECT_EQ(VersionString(block, L"Comments"), L"Kills all pop-up windows");
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"quellix.exe");
    EXPECT_EQ(VersionString(block, L"ProductName"), L"Vorel Quellix");
}

BOOL CALLBACK CountResource(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST(VersionInfo, ExeCarriesTheApplicationIcon) {
    const std::wstring exe = QuellixExePath();
    HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    int images = 0;
    ::EnumResourceNamesW(module, RT_ICON, CountResource, reinterpret_cast<LONG_PTR>(&images));
    EXPECT_EQ(images, 6);
    EXPECT_NE(::FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
    ::FreeLibrary(module);
}

}  // namespace
