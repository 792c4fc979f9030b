// Reads an executable's version block and icon groups back through the Windows API.
#include <windows.h>

#include <string>
#include <vector>

#include "Probe.h"

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

BOOL CALLBACK PrintIconGroup(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR)
{
    HRSRC found = FindResourceW(module, name, type);
    auto* group = static_cast<const GroupIconHeader*>(LockResource(LoadResource(module, found)));
    for (WORD i = 0; group && i < group->count; ++i) {
        const GroupIconEntry& e = group->entries[i];
        Print(L"icon " + std::to_wstring(e.width) + L"x" + std::to_wstring(e.height) + L" colours=" +
              std::to_wstring(e.colours) + L" bits=" + std::to_wstring(e.bitCount));
    }
    return TRUE;
}

} // namespace

int Version(const wchar_t* file)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    std::vector<BYTE> block(size);
    if (!size || !GetFileVersionInfoW(file, 0, size, block.data()))
        return 1;
    WORD* translation = nullptr;
    UINT length = 0;
    VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length);
    wchar_t language[32] = L"none";
    if (translation && length >= 4)
        wsprintfW(language, L"%04X%04X", translation[0], translation[1]);
    Print(std::wstring(L"Translation=") + language);
    for (const wchar_t* name : {L"FileDescription", L"FileVersion", L"InternalName", L"OriginalFilename",
                                L"ProductName", L"ProductVersion"}) {
        wchar_t* value = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\") + language + L"\\" + name;
        if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            value = nullptr;
        Print(std::wstring(name) + L"=" + (value ? value : L"(missing)"));
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        wchar_t numbers[96];
        wsprintfW(numbers, L"Fixed=%u.%u.%u.%u/%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                  HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                  HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
        Print(numbers);
    }
    return 0;
}

int Icons(const wchar_t* file)
{
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return 1;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14), PrintIconGroup, 0);
    FreeLibrary(module);
    return 0;
}
