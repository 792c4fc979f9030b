#include "FakeRegistry.h"
#include "RegM.h"

#include <gtest/gtest.h>

namespace {

TEST(RegM, SplitPathGivesHiveKeyPathAndValueName)
{
    const struct { const char* fault; Text path; std::uint32_t hive; Text keyPath, valueName; } cases[] = {
        {"a trailing backslash names the default value", u"HKCR\\.rm\\", 0x80000000, u".rm", u""},
        {"the last name is the value", u"HKCR\\.rm\\bak", 0x80000000, u".rm", u"bak"},
        {"inner backslashes stay in the key path", u"HKCR\\rmfile\\shell\\open\\command\\", 0x80000000,
         u"rmfile\\shell\\open\\command", u""},
        {"a single name after the hive is a key", u"HKCR\\.rm", 0x80000000, u".rm", u""},
        {"the hive alone with its backslash", u"HKCR\\", 0x80000000, u"", u""},
        {"no backslash: not even a hive name counts", u"HKCR", 0, u"", u""},
        {"three names under the local machine", u"HKLM\\Software\\Vendor\\Setting", 0x80000002, u"Software\\Vendor",
         u"Setting"},
        {"long classes root", u"HKEY_CLASSES_ROOT\\a\\b", 0x80000000, u"a", u"b"},
        {"long current user", u"HKEY_CURRENT_USER\\a\\b", 0x80000001, u"a", u"b"},
        {"long local machine", u"HKEY_LOCAL_MACHINE\\a\\b", 0x80000002, u"a", u"b"},
        {"users have only the long name", u"HKEY_USERS\\a\\b", 0x80000003, u"a", u"b"},
        {"current config has only the long name", u"HKEY_CURRENT_CONFIG\\a\\b", 0x80000005, u"a", u"b"},
        {"hive names are case-sensitive", u"hkcr\\.rm\\bak", 0, u"", u""},
        {"HKU is not a listed short form", u"HKU\\a\\b", 0, u"", u""},
        {"an empty hive name", u"\\a\\b", 0, u"", u""},
        {"nothing is trimmed from the hive", u" HKCR\\a\\b", 0, u"", u""},
        {"nothing is trimmed from the names", u"HKCU\\ a \\ b ", 0x80000001, u" a ", u" b "},
        {"doubled backslashes are kept", u"HKCU\\a\\\\b", 0x80000001, u"a\\", u"b"},
        {"empty path", u"", 0, u"", u""},
    };
    for (const auto& c : cases) {
        Text keyPath = u"stale key", valueName = u"stale value";
        EXPECT_EQ(RegSplitPath(c.path, keyPath, valueName), c.hive) << c.fault;
        EXPECT_EQ(keyPath, c.keyPath) << c.fault;
        EXPECT_EQ(valueName, c.valueName) << c.fault;
    }
}

TEST(RegM, ReadStringGivesOnlyStringsAndReleasesTheShell)
{
    const struct { const char* fault; std::optional<Variant> stored; bool shellUnavailable; Text expected; } cases[] = {
        {"a string comes back unchanged", Variant::String(u"RealMedia ファイル"), false, u"RealMedia ファイル"},
        {"a number reads as empty", Variant::I4(7), false, u""},
        {"a byte array reads as empty", Variant::ByteArray({'a', 'b'}), false, u""},
        {"a missing value reads as empty", std::nullopt, false, u""},
        {"no shell object: empty", Variant::String(u"x"), true, u""},
    };
    for (const auto& c : cases) {
        FakeRegistry registry;
        registry.shellUnavailable = c.shellUnavailable;
        if (c.stored)
            registry.values[u"HKCR\\.rm\\"] = *c.stored;
        EXPECT_EQ(RegReadString(u"HKCR\\.rm\\", registry.Ports()), c.expected) << c.fault;
        EXPECT_EQ(registry.shellsAlive, 0) << c.fault << ": the shell object was not released";
    }
}

TEST(RegM, WriteValueSendsNumbersAndStringsToTheScriptHostAndRefusesTheRest)
{
    const Variant callersString = Variant::String(u"rmfile");
    const struct {
        const char* fault;
        Variant value;
        Text scriptType;  // empty: nothing is written
    } cases[] = {
        {"16-bit integer", Variant::I2(-5), u"REG_DWORD"},
        {"32-bit integer", Variant::I4(70000), u"REG_DWORD"},
        {"a single byte is a number, not binary", Variant::UI1(200), u"REG_DWORD"},
        {"string", Variant::String(u"RealMedia ファイル"), u"REG_SZ"},
        {"a string by reference is a string", Variant::ByRef(callersString), u"REG_SZ"},
        {"Boolean", Variant::Bool(true), u""},
        {"single-precision", Variant::R4(1.5f), u""},
        {"double-precision", Variant::R8(2.5), u""},
        {"empty", Variant(), u""},
        {"null", Variant::Null(), u""},
    };
    using Writes = std::vector<FakeRegistry::ScriptWrite>;
    for (const auto& c : cases) {
        FakeRegistry registry;
        const Text path = u"HKCU\\Software\\Test\\v";
        EXPECT_EQ(RegWriteValue(path, c.value, registry.Ports()), !c.scriptType.empty()) << c.fault;
        EXPECT_TRUE(registry.createKeyCalls.empty()) << c.fault << ": only byte arrays go to the native registry";
        EXPECT_EQ(registry.shellsAlive, 0) << c.fault;
        // The value goes to the script host as handed in, by-reference flag included.
        const Writes expected = c.scriptType.empty() ? Writes{} : Writes{{path, c.value.Type(), c.value, c.scriptType}};
        EXPECT_EQ(registry.scriptWrites, expected) << c.fault;
    }
}

TEST(RegM, AScriptHostFailureIsFalseAndTheShellIsReleased)
{
    FakeRegistry registry;
    registry.refusedWrites.insert(u"HKCR\\.rm\\");
    EXPECT_FALSE(RegWriteValue(u"HKCR\\.rm\\", Variant::String(u"rmfile"), registry.Ports()));
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

TEST(RegM, BinaryWritesPutExactlyTheBytesWhereThePathSays)
{
    using Stored = std::map<FakeRegistry::NativeName, Variant::Bytes>;
    const struct { const char* fault; Text path; Variant::Bytes bytes; Stored stored; } cases[] = {
        {"a named value", u"HKCU\\Software\\Test\\bin", {1, 2, 3},
         {{{0x80000001, "Software\\Test", "bin"}, {1, 2, 3}}}},
        {"an empty array is an empty value", u"HKCU\\Software\\Test\\bin", {},
         {{{0x80000001, "Software\\Test", "bin"}, {}}}},
        {"names reach the narrow calls in the code page", u"HKCU\\Software\\メディア\\値", {9},
         {{{0x80000001, "Software\\\xE3\x83\xA1\xE3\x83\x87\xE3\x82\xA3\xE3\x82\xA2", "\xE5\x80\xA4"}, {9}}}},
        {"a path that names no hive writes nothing", u"hkcr\\.rm\\bin", {1}, {}},
    };
    for (const auto& c : cases) {
        FakeRegistry registry;
        const Variant value = Variant::ByteArray(c.bytes);
        EXPECT_EQ(RegWriteValue(c.path, Variant::ByRef(value), registry.Ports()), !c.stored.empty()) << c.fault;
        EXPECT_EQ(registry.binaryValues, c.stored) << c.fault;
        EXPECT_EQ(registry.shellsCreated, 0) << c.fault;
    }
}

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
