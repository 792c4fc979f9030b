// The platform adapters against Wine's (or Windows') real registry, WScript.Shell and
// code page; the programs under test run with code page 932.
#include "Advapi32Registry.h"
#include "RegM.h"
#include "WScriptShell.h"
#include "WindowsCodePage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using namespace std::string_literals;

const wchar_t kTestKey[] = L"Software\\OrdinelAdapterTest";

class Adapters : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        CoUninitialize();
    }

    WScriptShellFactory scriptShell;
    Advapi32Registry native;
    WindowsCodePage codePage;
    RegPorts ports{scriptShell, native, codePage};
};

struct StoredValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool found = false;
};

StoredValue Query(const std::wstring& subKey, const wchar_t* name)
{
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kTestKey) + subKey).c_str(), 0, KEY_READ, &key) != 0)
        return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) == 0) {
        value.bytes.resize(size);
        value.found = RegQueryValueExW(key, name, nullptr, &value.type,
                                       reinterpret_cast<BYTE*>(value.bytes.data()), &size) == 0;
    }
    RegCloseKey(key);
    return value;
}

void SetDword(const wchar_t* name, DWORD number)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
}

const Text kBase = u"HKCU\\Software\\OrdinelAdapterTest\\";

TEST_F(Adapters, OnlyStringsReadBackThroughTheScriptHost)
{
    EXPECT_TRUE(RegWriteValue(kBase + u"name", Variant::String(u"RealMedia ファイル"), ports));
    EXPECT_EQ(RegReadString(kBase + u"name", ports), u"RealMedia ファイル");
    SetDword(L"number", 42);
    EXPECT_EQ(RegReadString(kBase + u"number", ports), u"");
    EXPECT_EQ(RegReadString(kBase + u"missing", ports), u"");
    EXPECT_EQ(RegReadString(kBase + u"NoSuchKey\\", ports), u"");
}

// Each write is read back natively with its type and exact bytes; missing parent keys,
// a key's default value and Japanese names (through the code page) included.
TEST_F(Adapters, EachValueIsStoredWithItsRegistryTypeAndExactBytes)
{
    const Variant byRefString = Variant::String(u"by reference");
    struct Case { Text path; const wchar_t* key; const wchar_t* name; Variant value; DWORD type; std::string bytes; };
    const Case cases[] = {
        {u"i2", L"", L"i2", Variant::I2(-2), REG_DWORD, "\xFE\xFF\xFF\xFF"s},
        {u"i4", L"", L"i4", Variant::I4(0x01020304), REG_DWORD, "\x04\x03\x02\x01"s},
        {u"ui1", L"", L"ui1", Variant::UI1(200), REG_DWORD, "\xC8\0\0\0"s},
        {u"ref", L"", L"ref", Variant::ByRef(byRefString), REG_SZ,
         std::string("b\0y\0 \0r\0e\0f\0e\0r\0e\0n\0c\0e\0\0\0", 26)},
        {u"a\\b\\c\\", L"\\a\\b\\c", nullptr, Variant::String(u"deep"), REG_SZ, std::string("d\0e\0e\0p\0\0\0", 10)},
        {u"bin", L"", L"bin", Variant::ByteArray({0x00, 0xFF, 0x0D, 0x0A, 0x83}), REG_BINARY, "\x00\xFF\x0D\x0A\x83"s},
        {u"メディア\\値", L"\\メディア", L"値", Variant::ByteArray({7}), REG_BINARY, "\x07"s},
    };
    for (const Case& c : cases) {
        const wchar_t* label = c.name ? c.name : c.key;
        EXPECT_TRUE(RegWriteValue(kBase + c.path, c.value, ports)) << label;
        const StoredValue stored = Query(c.key, c.name);
        ASSERT_TRUE(stored.found) << label;
        EXPECT_EQ(stored.type, c.type) << label;
        EXPECT_EQ(stored.bytes, c.bytes) << label;
    }
}

TEST_F(Adapters, ABinaryWriteToASingleNameAfterTheHiveSetsThatKeysDefaultValue)
{
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".rm");
    EXPECT_TRUE(RegWriteValue(u"HKCR\\.rm", Variant::ByteArray({1, 2}), ports));
    BYTE data[8] = {};
    DWORD size = sizeof data, type = 0;
    EXPECT_EQ(RegGetValueW(HKEY_CLASSES_ROOT, L".rm", nullptr, RRF_RT_ANY, &type, data, &size), 0);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), "\x01\x02"s);
    EXPECT_NE(RegQueryValueExW(HKEY_CLASSES_ROOT, L".rm", nullptr, nullptr, nullptr, nullptr), 0)
        << "no value named .rm at the root";
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".rm");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L".rm");
}

} // namespace
