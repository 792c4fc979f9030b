#include "Probe.h"

#include <windows.h>

#include <vector>

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
    GroupIconEntry entries[1];
};
#pragma pack(pop)

// One line: the translation, the fixed version numbers, then the strings of that translation.
void PrintVersion(const wchar_t* file)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    std::vector<BYTE> block(size);
    if (!size || !GetFileVersionInfoW(file, 0, size, block.data()))
        return Print(L"no version block");
    WORD* translation = nullptr;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    wchar_t line[96] = L"version=none";
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        length >= 4 && VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
        wsprintfW(line, L"version=%04X%04X fixed=%u.%u.%u.%u/%u.%u.%u.%u", translation[0], translation[1],
                  HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                  LOWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                  HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    std::wstring text = line;
    for (const wchar_t* name : {L"FileDescription", L"FileVersion", L"InternalName", L"OriginalFilename",
                                L"ProductName", L"ProductVersion"}) {
        wchar_t* value = nullptr;
        const std::wstring path = L"\\StringFileInfo\\" + text.substr(8, 8) + L"\\" + name;
        if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            value = nullptr;
        text += std::wstring(L" ") + name + L"=" + (value ? value : L"(missing)");
    }
    Print(text);
}

// Each icon of a group as its entry describes it, then its image as Windows makes an icon
// of it: the image holds the colour picture and the mask, so twice the height.
BOOL CALLBACK PrintIconGroup(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR)
{
    auto* group = static_cast<const GroupIconHeader*>(LockResource(LoadResource(module, FindResourceW(module, name, type))));
    for (WORD i = 0; group && i < group->count; ++i) {
        const GroupIconEntry& e = group->entries[i];
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(e.id), MAKEINTRESOURCEW(3));  // RT_ICON
        auto* image = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
        HICON icon = image ? CreateIconFromResourceEx(reinterpret_cast<BYTE*>(image), SizeofResource(module, found),
                                                      TRUE, 0x00030000, 0, 0, 0)
                           : nullptr;
        Print(L"icon " + std::to_wstring(e.width) + L"x" + std::to_wstring(e.height) + L" colours=" +
              std::to_wstring(e.colours) + L" bits=" + std::to_wstring(e.bitCount) +
              (icon ? L" image=" + std::to_wstring(image->biWidth) + L"x" + std::to_wstring(image->biHeight) + L"x" +
                          std::to_wstring(image->biBitCount)
                    : L" unusable"));
        if (icon)
            DestroyIcon(icon);
    }
    return TRUE;
}

std::wstring Id(LPCWSTR id)
{
    return IS_INTRESOURCE(id) ? std::to_wstring(reinterpret_cast<ULONG_PTR>(id)) : std::wstring(id);
}

// Every resource as "type/name:language", in the order Windows lists them.
BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR out)
{
    wchar_t hex[8];
    wsprintfW(hex, L":%04X", language);
    auto& lines = *reinterpret_cast<std::wstring*>(out);
    lines += (lines.back() == L'=' ? L"" : L" ") + Id(type) + L"/" + Id(name) + hex;
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR out)
{
    return EnumResourceLanguagesW(module, type, name, AddLanguage, out);
}

BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR out)
{
    return EnumResourceNamesW(module, type, AddName, out);
}

} // namespace

void PrintResources(const wchar_t* file)
{
    PrintVersion(file);
    if (HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        EnumResourceNamesW(module, MAKEINTRESOURCEW(14), PrintIconGroup, 0);  // RT_GROUP_ICON
        std::wstring languages = L"languages=";
        EnumResourceTypesW(module, AddType, reinterpret_cast<LONG_PTR>(&languages));
        Print(languages);
        FreeLibrary(module);
    }
}
