// The platform adapters against Wine's (or Windows') real registry, WScript.Shell and
// code page; the programs under test run with code page 932.
#include "Advapi32Registry.h"
#include "RegM.h"
#include "WScriptShell.h"
#include "WindowsCodePage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
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

TEST_F(Adapters, StringsRoundTripThroughTheScriptHost)
{
    EXPECT_TRUE(RegWriteValue(kBase + u"name", Variant::String(u"RealMedia ファイル"), ports));
    EXPECT_EQ(RegReadString(kBase + u"name", ports), u"RealMedia ファイル");
    const StoredValue stored = Query(L"", L"name");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
}

TEST_F(Adapters, ADwordAndAMissingValueReadAsTheEmptyString)
{
    SetDword(L"number", 42);
    EXPECT_EQ(RegReadString(kBase + u"number", ports), u"");
    EXPECT_EQ(RegReadString(kBase + u"missing", ports), u"");
    EXPECT_EQ(RegReadString(u"HKCU\\Software\\OrdinelAdapterTest\\NoSuchKey\\", ports), u"");
}

TEST_F(Adapters, RegWriteCreatesMissingParentKeysAndSetsTheDefaultValue)
{
    EXPECT_TRUE(RegWriteValue(kBase + u"a\\b\\c\\", Variant::String(u"deep"), ports));
    const StoredValue stored = Query(L"\\a\\b\\c", nullptr);
    ASSERT_TRUE(stored.found) << "the default value of the new key";
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RegReadString(kBase + u"a\\b\\c\\", ports), u"deep");
}

TEST_F(Adapters, NumbersAreWrittenAsDwords)
{
    const Variant byRefString = Variant::String(u"by reference");
    struct Case { const char16_t* name; Variant value; DWORD type; std::string bytes; };
    const Case cases[] = {
        {u"i2", Variant::I2(-2), REG_DWORD, "\xFE\xFF\xFF\xFF"s},
        {u"i4", Variant::I4(0x01020304), REG_DWORD, "\x04\x03\x02\x01"s},
        {u"ui1", Variant::UI1(200), REG_DWORD, "\xC8\0\0\0"s},
        {u"ref", Variant::ByRef(byRefString), REG_SZ, std::string("b\0y\0 \0r\0e\0f\0e\0r\0e\0n\0c\0e\0\0\0", 26)},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(RegWriteValue(kBase + c.name, c.value, ports));
        const StoredValue stored = Query(L"", reinterpret_cast<const wchar_t*>(c.name));
        EXPECT_EQ(stored.type, c.type) << reinterpret_cast<const wchar_t*>(c.name);
        EXPECT_EQ(stored.bytes, c.bytes) << reinterpret_cast<const wchar_t*>(c.name);
    }
}

// What `reg query` prints for the value, read through the command processor.
std::string RegQueryOutput(const wchar_t* arguments)
{
    std::string output;
    if (FILE* pipe = _wpopen((L"reg query "s + arguments).c_str(), L"rb")) {
        char buffer[512];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        _pclose(pipe);
    }
    return output;
}

TEST_F(Adapters, ABinaryValueReadsBackWithItsExactBytes)
{
    EXPECT_TRUE(RegWriteValue(kBase + u"bin", Variant::ByteArray({0x00, 0xFF, 0x0D, 0x0A, 0x83}), ports));
    const StoredValue stored = Query(L"", L"bin");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(stored.bytes, "\x00\xFF\x0D\x0A\x83"s);
    const std::string printed = RegQueryOutput(L"HKCU\\Software\\OrdinelAdapterTest /v bin");
    EXPECT_NE(printed.find("REG_BINARY"), std::string::npos) << printed;
    EXPECT_NE(printed.find("00FF0D0A83"), std::string::npos) << printed;
}

TEST_F(Adapters, ABinaryWriteReachesJapaneseKeyNamesThroughTheCodePage)
{
    EXPECT_TRUE(RegWriteValue(kBase + u"メディア\\値", Variant::ByteArray({7}), ports));
    const StoredValue stored = Query(L"\\メディア", L"値");
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(stored.bytes, "\x07"s);
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
