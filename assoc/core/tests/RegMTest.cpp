#include "FakeRegistry.h"
#include "RegM.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct SplitCase {
    const char* fault;
    Text path;
    std::uint32_t hive;
    Text keyPath;
    Text valueName;
};

class SplitPathTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitPathTable, SplitsIntoHiveKeyPathAndValueName)
{
    const SplitCase& c = GetParam();
    Text keyPath = u"stale key", valueName = u"stale value";
    EXPECT_EQ(RegSplitPath(c.path, keyPath, valueName), c.hive) << c.fault;
    EXPECT_EQ(keyPath, c.keyPath) << c.fault;
    EXPECT_EQ(valueName, c.valueName) << c.fault;
}

INSTANTIATE_TEST_SUITE_P(RegM, SplitPathTable, testing::Values(
    SplitCase{"a trailing backslash names the default value", u"HKCR\\.rm\\", 0x80000000, u".rm", u""},
    SplitCase{"the last name is the value", u"HKCR\\.rm\\bak", 0x80000000, u".rm", u"bak"},
    SplitCase{"inner backslashes stay in the key path", u"HKCR\\rmfile\\shell\\open\\command\\", 0x80000000,
              u"rmfile\\shell\\open\\command", u""},
    SplitCase{"a single name after the hive is a key", u"HKCR\\.rm", 0x80000000, u".rm", u""},
    SplitCase{"the hive alone with its backslash", u"HKCR\\", 0x80000000, u"", u""},
    SplitCase{"no backslash: not even a hive name counts", u"HKCR", 0, u"", u""},
    SplitCase{"three names under the local machine", u"HKLM\\Software\\Vendor\\Setting", 0x80000002,
              u"Software\\Vendor", u"Setting"},
    SplitCase{"long classes root", u"HKEY_CLASSES_ROOT\\a\\b", 0x80000000, u"a", u"b"},
    SplitCase{"short current user", u"HKCU\\a\\b", 0x80000001, u"a", u"b"},
    SplitCase{"long current user", u"HKEY_CURRENT_USER\\a\\b", 0x80000001, u"a", u"b"},
    SplitCase{"long local machine", u"HKEY_LOCAL_MACHINE\\a\\b", 0x80000002, u"a", u"b"},
    SplitCase{"users have only the long name", u"HKEY_USERS\\a\\b", 0x80000003, u"a", u"b"},
    SplitCase{"current config has only the long name", u"HKEY_CURRENT_CONFIG\\a\\b", 0x80000005, u"a", u"b"},
    SplitCase{"hive names are case-sensitive", u"hkcr\\.rm\\bak", 0, u"", u""},
    SplitCase{"HKU is not a listed short form", u"HKU\\a\\b", 0, u"", u""},
    SplitCase{"an empty hive name", u"\\a\\b", 0, u"", u""},
    SplitCase{"nothing is trimmed from the hive", u" HKCR\\a\\b", 0, u"", u""},
    SplitCase{"nothing is trimmed from the names", u"HKCU\\ a \\ b ", 0x80000001, u" a ", u" b "},
    SplitCase{"doubled backslashes are kept", u"HKCU\\a\\\\b", 0x80000001, u"a\\", u"b"},
    SplitCase{"empty path", u"", 0, u"", u""}));

struct ReadCase {
    const char* fault;
    std::optional<Variant> stored;
    bool shellUnavailable;
    Text expected;
};

class ReadStringTable : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadStringTable, GivesOnlyStringsAndReleasesTheShell)
{
    const ReadCase& c = GetParam();
    FakeRegistry registry;
    registry.shellUnavailable = c.shellUnavailable;
    if (c.stored)
        registry.values[u"HKCR\\.rm\\"] = *c.stored;
    EXPECT_EQ(RegReadString(u"HKCR\\.rm\\", registry.Ports()), c.expected) << c.fault;
    EXPECT_EQ(registry.shellsCreated, c.shellUnavailable ? 0 : 1) << c.fault;
    EXPECT_EQ(registry.shellsAlive, 0) << c.fault << ": the shell object was not released";
}

INSTANTIATE_TEST_SUITE_P(RegM, ReadStringTable, testing::Values(
    ReadCase{"a string comes back unchanged", Variant::String(u"RealMedia ファイル"), false, u"RealMedia ファイル"},
    ReadCase{"an empty string", Variant::String(u""), false, u""},
    ReadCase{"a number reads as empty", Variant::I4(7), false, u""},
    ReadCase{"a byte array reads as empty", Variant::ByteArray({'a', 'b'}), false, u""},
    ReadCase{"a missing value reads as empty", std::nullopt, false, u""},
    ReadCase{"no shell object: empty", Variant::String(u"x"), true, u""}));

struct WriteCase {
    const char* fault;
    Variant value;
    bool written;
    Text scriptType;  // empty: nothing is written
};

class WriteValueTable : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteValueTable, TheValueTypeChoosesTheRoute)
{
    const WriteCase& c = GetParam();
    FakeRegistry registry;
    EXPECT_EQ(RegWriteValue(u"HKCU\\Software\\Test\\v", c.value, registry.Ports()), c.written) << c.fault;
    EXPECT_TRUE(registry.createKeyCalls.empty()) << c.fault << ": only byte arrays go to the native registry";
    EXPECT_EQ(registry.shellsAlive, 0) << c.fault;
    // The value goes to the script host as handed in, by-reference flag included.
    using Writes = std::vector<FakeRegistry::ScriptWrite>;
    const Writes expected = c.scriptType.empty()
                                ? Writes{}
                                : Writes{{u"HKCU\\Software\\Test\\v", c.value.Type(), c.value, c.scriptType}};
    EXPECT_EQ(registry.scriptWrites, expected) << c.fault;
}

const Variant kCallersString = Variant::String(u"rmfile");

INSTANTIATE_TEST_SUITE_P(RegM, WriteValueTable, testing::Values(
    WriteCase{"16-bit integer", Variant::I2(-5), true, u"REG_DWORD"},
    WriteCase{"32-bit integer", Variant::I4(70000), true, u"REG_DWORD"},
    WriteCase{"a single byte is a number, not binary", Variant::UI1(200), true, u"REG_DWORD"},
    WriteCase{"string", Variant::String(u"RealMedia ファイル"), true, u"REG_SZ"},
    WriteCase{"a string by reference is a string", Variant::ByRef(kCallersString), true, u"REG_SZ"},
    WriteCase{"Boolean", Variant::Bool(true), false, u""},
    WriteCase{"single-precision", Variant::R4(1.5f), false, u""},
    WriteCase{"double-precision", Variant::R8(2.5), false, u""},
    WriteCase{"empty", Variant(), false, u""},
    WriteCase{"null", Variant::Null(), false, u""}));

TEST(RegM, AScriptHostFailureIsFalseAndTheShellIsReleased)
{
    FakeRegistry registry;
    registry.refusedWrites.insert(u"HKCR\\.rm\\");
    EXPECT_FALSE(RegWriteValue(u"HKCR\\.rm\\", Variant::String(u"rmfile"), registry.Ports()));
    EXPECT_EQ(registry.shellsCreated, 1);
    EXPECT_EQ(registry.shellsAlive, 0);

    registry.shellUnavailable = true;
    EXPECT_FALSE(RegWriteValue(u"HKCR\\.rm\\", Variant::I4(1), registry.Ports()));
}

TEST(RegM, ABinaryWriteCallsTheNativeRegistryWithExactlyTheseArguments)
{
    FakeRegistry registry;
    const Variant::Bytes bytes{0x00, 0xFF, 0x0D, 0x0A, 0x83};
    EXPECT_TRUE(RegWriteValue(u"HKCR\\.rm", Variant::ByteArray(bytes), registry.Ports()));

    ASSERT_EQ(registry.createKeyCalls.size(), 1u);
    const FakeRegistry::CreateKeyCall& create = registry.createKeyCalls[0];
    EXPECT_EQ(create.hive, 0x80000000u);
    EXPECT_EQ(create.subKey, ".rm");
    EXPECT_EQ(create.reserved, 0u);
    EXPECT_FALSE(create.classIsNull) << "the class is an empty string, not a null pointer";
    EXPECT_EQ(create.keyClass, "");
    EXPECT_EQ(create.options, 0u);
    EXPECT_EQ(create.samDesired, 0x2003Fu) << "not the full-access mask";
    ASSERT_FALSE(create.securityIsNull);
    EXPECT_EQ(create.security.nLength, 0u);
    EXPECT_EQ(create.security.lpSecurityDescriptor, 0u);
    EXPECT_EQ(create.security.bInheritHandle, 0);
    EXPECT_FALSE(create.resultIsNull);
    EXPECT_TRUE(create.dispositionIsNull);

    EXPECT_EQ(registry.nativeLog, (std::vector<std::string>{"create", "set 4096", "close 4096"}));
    EXPECT_EQ(registry.lastSetReserved, 0u);
    EXPECT_EQ(registry.lastSetType, 3u);
    EXPECT_EQ(registry.binaryValues, (std::map<FakeRegistry::NativeName, Variant::Bytes>{
                                         {{0x80000000, ".rm", ""}, bytes}}))
        << "the default value of .rm, with exactly the five bytes";
    EXPECT_EQ(registry.shellsCreated, 0) << "the binary branch needs no shell object";
}

struct BinaryCase {
    const char* fault;
    Text path;
    Variant::Bytes bytes;
    bool written;
    std::map<FakeRegistry::NativeName, Variant::Bytes> stored;
};

class BinaryWriteTable : public testing::TestWithParam<BinaryCase> {};

TEST_P(BinaryWriteTable, WritesExactlyTheBytesWhereThePathSays)
{
    const BinaryCase& c = GetParam();
    FakeRegistry registry;
    const Variant value = Variant::ByteArray(c.bytes);
    EXPECT_EQ(RegWriteValue(c.path, Variant::ByRef(value), registry.Ports()), c.written) << c.fault;
    EXPECT_EQ(registry.binaryValues, c.stored) << c.fault;
    EXPECT_EQ(registry.shellsCreated, 0) << c.fault;
}

INSTANTIATE_TEST_SUITE_P(RegM, BinaryWriteTable, testing::Values(
    BinaryCase{"a named value", u"HKCU\\Software\\Test\\bin", {1, 2, 3}, true,
               {{{0x80000001, "Software\\Test", "bin"}, {1, 2, 3}}}},
    BinaryCase{"an odd count stays odd", u"HKCU\\Software\\Test\\bin", {0x41}, true,
               {{{0x80000001, "Software\\Test", "bin"}, {0x41}}}},
    BinaryCase{"an empty array is an empty value", u"HKCU\\Software\\Test\\bin", {}, true,
               {{{0x80000001, "Software\\Test", "bin"}, {}}}},
    BinaryCase{"names reach the narrow calls in the code page", u"HKCU\\Software\\メディア\\値", {9}, true,
               {{{0x80000001, "Software\\\xE3\x83\xA1\xE3\x83\x87\xE3\x82\xA3\xE3\x82\xA2", "\xE5\x80\xA4"}, {9}}}},
    BinaryCase{"a path that names no hive writes nothing", u"hkcr\\.rm\\bin", {1}, false, {}}));

TEST(RegM, AKeyIsClosedOnlyWhenItWasOpened)
{
    FakeRegistry keyFails, valueFails;
    keyFails.createKeyResult = valueFails.setValueResult = 5;
    for (auto [registry, log] : {std::pair{&keyFails, std::vector<std::string>{"create"}},
                                 {&valueFails, {"create", "set 4096", "close 4096"}}}) {
        EXPECT_FALSE(RegWriteValue(u"HKCR\\.rm\\bin", Variant::ByteArray({1}), registry->Ports()));
        EXPECT_EQ(registry->nativeLog, log);
    }
}

} // namespace
