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

struct Stored {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const Stored&) const = default;
};

// A string as the registry stores it: UTF-16 with its NUL.
Stored Sz(const std::wstring& text)
{
    return {REG_SZ, std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t))};
}

Stored Query(HKEY root, const wchar_t* key, const wchar_t* name)
{
    Stored value;
    BYTE data[256];
    DWORD size = sizeof data;
    if (RegGetValueW(root, key, name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, data, &size) == ERROR_SUCCESS)
        value.bytes.assign(reinterpret_cast<const char*>(data), size);
    return value;
}

void Forget()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OrdinelAdapterTest");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".rm");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L".rm");
}

TEST(RegistryAdapters, StoreEachValueWithItsTypeAndReadBackOnlyStrings)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    Forget();
    WScriptShellFactory scriptShell;
    Advapi32Registry native;
    WindowsCodePage codePage;
    const RegPorts ports{scriptShell, native, codePage};
    const Text base = u"HKCU\\Software\\OrdinelAdapterTest\\";
    const wchar_t* const key = L"Software\\OrdinelAdapterTest";
    const Variant referenced = Variant::String(u"by reference");
    const struct {
        Text path;
        std::optional<Variant> written;  // none: a value nobody wrote
        HKEY root;
        std::wstring key;
        const wchar_t* name;
        Stored stored;
        Text readBack;
    } cases[] = {
        {base + u"name", Variant::String(u"RealMedia ファイル"), HKEY_CURRENT_USER, key, L"name",
         Sz(L"RealMedia ファイル"), u"RealMedia ファイル"},
        {base + u"i2", Variant::I2(-2), HKEY_CURRENT_USER, key, L"i2", {REG_DWORD, "\xFE\xFF\xFF\xFF"s}, u""},
        {base + u"i4", Variant::I4(0x01020304), HKEY_CURRENT_USER, key, L"i4", {REG_DWORD, "\x04\x03\x02\x01"s}, u""},
        {base + u"ui1", Variant::UI1(200), HKEY_CURRENT_USER, key, L"ui1", {REG_DWORD, "\xC8\0\0\0"s}, u""},
        {base + u"ref", Variant::ByRef(referenced), HKEY_CURRENT_USER, key, L"ref", Sz(L"by reference"),
         u"by reference"},
        {base + u"a\\b\\c\\", Variant::String(u"deep"), HKEY_CURRENT_USER, key + L"\\a\\b\\c"s, nullptr, Sz(L"deep"),
         u"deep"},
        {base + u"bin", Variant::ByteArray({0x00, 0xFF, 0x0D, 0x0A, 0x83}), HKEY_CURRENT_USER, key, L"bin",
         {REG_BINARY, "\x00\xFF\x0D\x0A\x83"s}, u""},
        {base + u"メディア\\値", Variant::ByteArray({7}), HKEY_CURRENT_USER, key + L"\\メディア"s, L"値",
         {REG_BINARY, "\x07"s}, u""},
        // One name after the hive names that key's default value, not a value at the root.
        {u"HKCR\\.rm", Variant::ByteArray({1, 2}), HKEY_CLASSES_ROOT, L".rm", nullptr, {REG_BINARY, "\x01\x02"s}, u""},
        {base + u"missing", std::nullopt, HKEY_CURRENT_USER, key, L"missing", {}, u""},
        {base + u"NoSuchKey\\", std::nullopt, HKEY_CURRENT_USER, key + L"\\NoSuchKey"s, nullptr, {}, u""},
    };
    for (const auto& c : cases) {
        const std::string label(c.path.begin(), c.path.end());
        EXPECT_TRUE(!c.written || RegWriteValue(c.path, *c.written, ports)) << label;
        EXPECT_EQ(Query(c.root, c.key.c_str(), c.name), c.stored) << label;
        EXPECT_EQ(RegReadString(c.path, ports), c.readBack) << label;
    }
    EXPECT_EQ(Query(HKEY_CLASSES_ROOT, nullptr, L".rm"), Stored{}) << "a value named .rm at the root";
    Forget();
    CoUninitialize();
}

} // namespace
