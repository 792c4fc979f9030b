#include "Fakes.h"
#include "RegM.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
using Calls = std::vector<std::string>;

// How a path falls apart below its hive is the fuzzer's to check.
TEST(RegM, SplitPathKnowsTheHivesByTheirExactNames)
{
    const std::pair<std::string, std::uint32_t> hives[] = {
        {"HKCR", 0x80000000},       {"HKEY_CLASSES_ROOT", 0x80000000},  {"HKCU", 0x80000001},
        {"HKEY_CURRENT_USER", 0x80000001}, {"HKLM", 0x80000002}, {"HKEY_LOCAL_MACHINE", 0x80000002},
        {"HKEY_USERS", 0x80000003}, {"HKEY_CURRENT_CONFIG", 0x80000005},
        // Other letter case, short forms that are not listed, blanks and nothing are no hive.
        {"hkcr", 0}, {"HKU", 0}, {"HKCC", 0}, {" HKCR", 0}, {"", 0}};
    for (const auto& [hive, handle] : hives) {
        Text keyPath = u"stale", valueName = u"stale";
        EXPECT_EQ(RegSplitPath(Text(hive.begin(), hive.end()) + u"\\rmfile\\shell\\open", keyPath, valueName), handle)
            << hive;
        EXPECT_EQ(keyPath + u"|" + valueName, handle ? u"rmfile\\shell|open" : u"|") << hive;
    }
}

// Numbers and strings go to the script host, byte arrays to the native registry, which gets
// exactly these arguments and has every key it opened closed again. Only a string reads back.
TEST(RegM, EachValueTakesTheRoadOfItsType)
{
    const Text path = u"HKCU\\Software\\Test\\v";
    const std::string asNumber = "REG_DWORD HKCU\\Software\\Test\\v", asString = "REG_SZ HKCU\\Software\\Test\\v";
    const Variant callersString = Variant::String(u"rmfile"), callersBytes = Variant::ByteArray({9});
    const Variant bytes = Variant::ByteArray({0, 0xFF, '\r', '\n'});
    const Calls binary = {"create 2147483648 .rm 0 0 131135", "set 4096  0 3 \0\xFF\r\n"s, "close 4096"};
    using Failure = void (*)(FakeRegistry&);
    const struct {
        const char* fault;
        Text path;
        Variant value;
        bool written;
        Text readBack;
        Calls calls;
        Failure fail = nullptr;
    } cases[] = {
        {"16-bit integer", path, Variant::I2(-5), true, u"", {asNumber}},
        {"32-bit integer", path, Variant::I4(70000), true, u"", {asNumber}},
        {"a single byte is a number, not binary", path, Variant::UI1(200), true, u"", {asNumber}},
        {"string", path, Variant::String(u"RealMedia ファイル"), true, u"RealMedia ファイル", {asString}},
        {"a string by reference is a string", path, Variant::ByRef(callersString), true, u"rmfile", {asString}},
        {"Boolean", path, Variant::Bool(true), false, u"", {}},
        {"null", path, Variant::Null(), false, u"", {}},
        {"a byte array is written natively", u"HKCR\\.rm", bytes, true, u"", binary},
        {"names reach the narrow calls in the code page", u"HKCU\\Software\\メディア\\値", Variant::ByRef(callersBytes),
         true, u"", {"create 2147483649 Software\\メディア 0 0 131135", "set 4096 値 0 3 \t", "close 4096"}},
        {"a path that names no hive writes nothing", u"hkcr\\.rm\\bin", callersBytes, false, u"", {}},
        {"no script host", path, callersString, false, u"", {}, [](FakeRegistry& r) { r.shellUnavailable = true; }},
        {"a key that could not be opened is not closed", u"HKCR\\.rm", bytes, false, u"", {binary[0]},
         [](FakeRegistry& r) { r.createKeyResult = 5; }},
        {"a key is closed also when its value cannot be set", u"HKCR\\.rm", bytes, false, u"", binary,
         [](FakeRegistry& r) { r.setValueResult = 5; }},
    };
    for (const auto& c : cases) {
        FakeRegistry registry;
        if (c.fail)
            c.fail(registry);
        EXPECT_EQ(RegWriteValue(c.path, c.value, registry.Ports()), c.written) << c.fault;
        EXPECT_EQ(registry.calls, c.calls) << c.fault;
        EXPECT_EQ(RegReadString(c.path, registry.Ports()), c.readBack) << c.fault;
    }
}

} // namespace
