#include "Probe.h"

#include <windows.h>

namespace {

std::wstring Id(LPCWSTR id)
{
    return IS_INTRESOURCE(id) ? std::to_wstring(reinterpret_cast<ULONG_PTR>(id)) : std::wstring(id);
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR out)
{
    wchar_t hex[8];
    wsprintfW(hex, L" %04X\n", language);
    *reinterpret_cast<std::wstring*>(out) += Id(type) + L"/" + Id(name) + hex;
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

std::wstring ResourceLanguages(const wchar_t* file)
{
    std::wstring lines;
    if (HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        EnumResourceTypesW(module, AddType, reinterpret_cast<LONG_PTR>(&lines));
        FreeLibrary(module);
    }
    return lines;
}
