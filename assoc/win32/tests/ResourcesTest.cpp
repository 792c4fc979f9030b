// The version block and icons, read back from the built executable as Windows reads them.
#include "OrdinelProcess.h"
#include "Probe.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

std::wstring OrdinelExe() { return BuildFolder() + L"\\Ordinel.exe"; }

TEST(OrdinelResources, VersionBlockIsJapaneseUnicodeWithTheProductNames)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(OrdinelExe().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(OrdinelExe().c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 0x04B0);

    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"FileVersion", L"1.00"},           {L"ProductVersion", L"1.00"},
        {L"FileDescription", L"シンプルLumivexOrdinel"}, {L"ProductName", L"PexaloOption"},
        {L"InternalName", L"Ordinel"},       {L"OriginalFilename", L"Ordinel.exe"},
    };
    for (const auto& [name, expected] : strings) {
        wchar_t* value = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
        EXPECT_STREQ(value, expected) << name;
    }
}

TEST(OrdinelResources, EveryResourceIsJapanese)
{
    EXPECT_EQ(ResourceLanguages(OrdinelExe().c_str()), L"3/1 0411\n3/2 0411\n3/3 0411\n14/1 0411\n16/1 0411\n");
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved, type, count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

TEST(OrdinelResources, IconsAre32In2And16ColoursAnd16In16Colours)
{
    HMODULE exe = LoadLibraryExW(OrdinelExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe);
    HRSRC group = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_TRUE(group);
    const auto* icons = static_cast<const IconGroup*>(LockResource(LoadResource(exe, group)));
    ASSERT_EQ(icons->count, 3);
    struct Expected { int size; int colours; int bits; };
    const Expected expected[] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};
    for (int i = 0; i < 3; ++i) {
        const IconGroupEntry& entry = icons->entries[i];
        EXPECT_EQ(entry.width, expected[i].size);
        EXPECT_EQ(entry.height, expected[i].size);
        EXPECT_EQ(entry.colourCount, expected[i].colours);
        HRSRC image = FindResourceW(exe, MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3));  // RT_ICON
        ASSERT_TRUE(image);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(exe, image)));
        EXPECT_EQ(header->biWidth, expected[i].size);
        EXPECT_EQ(header->biHeight, expected[i].size * 2) << "colour image and mask";
        EXPECT_EQ(header->biBitCount, expected[i].bits);
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<BITMAPINFOHEADER*>(header)),
                                              SizeofResource(exe, image), TRUE, 0x00030000, 0, 0, 0);
        EXPECT_TRUE(icon) << "Windows can make an icon of image " << i;
        if (icon)
            DestroyIcon(icon);
    }
    FreeLibrary(exe);
}

} // namespace
