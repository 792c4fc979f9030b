// The registry adapters against Wine's (or Windows') real registry, WScript.Shell and code
// page 932: each value is stored with its registry type and exact bytes, and only strings
// read back, as the association tool's registry access expects of them.
#include "Advapi32Registry.h"
#include "RegM.h"
#include "WScriptShell.h"
#include "WindowsCodePage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

namespace {

using namespace std::string_literals;

// A value as the registry stores it: its type and its bytes.
using Stored = std::pair<DWORD, std::string>;

// A string as the registry stores it: UTF-16 with its NUL.
Stored Sz(const std::wstring& text)
{
    return {REG_SZ, std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t))};
}

Stored Query(HKEY root, const wchar_t* key, const wchar_t* name)
{
    Stored value{REG_NONE, ""};
    BYTE data[256];
    DWORD size = sizeof data;
    // Wine sets the type also when the call fails, from whatever its stack held.
    if (RegGetValueW(root, key, name, RRF_RT_ANY | RRF_NOEXPAND, &value.first, data, &size) != ERROR_SUCCESS)
        return {REG_NONE, ""};
    value.second.assign(reinterpret_cast<const char*>(data), size);
    return value;
}

void Forget()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OrdinelAdapterTest");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".rm");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L".rm");
}

// Strings read back as written; any other value as no string. Under HKCU unless named.
TEST(RegistryAdapters, StoreEachValueWithItsTypeAndReadBackOnlyStrings)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    Forget();
    WScriptShellFactory scriptShell;
    Advapi32Registry native;
    WindowsCodePage codePage;
    const RegPorts ports{scriptShell, native, codePage};
    const Text base = u"HKCU\\Software\\OrdinelAdapterTest\\";
    const std::wstring key = L"Software\\OrdinelAdapterTest";
    const Variant referenced = Variant::String(u"by reference");
    const struct { Text path; std::optional<Variant> written; std::wstring key; const wchar_t* name; Stored stored; }
        cases[] = {
        {base + u"name", Variant::String(u"RealMedia ファイル"), key, L"name", Sz(L"RealMedia ファイル")},
        {base + u"i2", Variant::I2(-2), key, L"i2", {REG_DWORD, "\xFE\xFF\xFF\xFF"s}},
        {base + u"i4", Variant::I4(0x01020304), key, L"i4", {REG_DWORD, "\x04\x03\x02\x01"s}},
        {base + u"ui1", Variant::UI1(200), key, L"ui1", {REG_DWORD, "\xC8\0\0\0"s}},
        {base + u"ref", Variant::ByRef(referenced), key, L"ref", Sz(L"by reference")},
        {base + u"a\\b\\c\\", Variant::String(u"deep"), key + L"\\a\\b\\c", nullptr, Sz(L"deep")},
        {base + u"bin", Variant::ByteArray({0x00, 0xFF, 0x0D, 0x0A, 0x83}), key, L"bin",
         {REG_BINARY, "\x00\xFF\x0D\x0A\x83"s}},
        {base + u"メディア\\値", Variant::ByteArray({7}), key + L"\\メディア", L"値", {REG_BINARY, "\x07"s}},
        // One name after the hive names that key's default value, not a value at the root.
        {u"HKCR\\.rm", Variant::ByteArray({1, 2}), L".rm", nullptr, {REG_BINARY, "\x01\x02"s}},
        {base + u"missing", std::nullopt, key, L"missing", {REG_NONE, ""}},
        {base + u"NoSuchKey\\", std::nullopt, key + L"\\NoSuchKey", nullptr, {REG_NONE, ""}},
    };
    for (const auto& c : cases) {
        const std::string label(c.path.begin(), c.path.end());
        const HKEY root = c.path.starts_with(u"HKCR") ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
        EXPECT_TRUE(!c.written || RegWriteValue(c.path, *c.written, ports)) << label;
        EXPECT_EQ(Query(root, c.key.c_str(), c.name), c.stored) << label;
        const Text readBack = c.stored.first == REG_SZ ? c.written->Deref().AsString() : u"";
        EXPECT_EQ(RegReadString(c.path, ports), readBack) << label;
    }
    EXPECT_EQ(Query(HKEY_CLASSES_ROOT, nullptr, L".rm"), (Stored{REG_NONE, ""})) << "a value named .rm at the root";
    Forget();
    CoUninitialize();
}

} // namespace
