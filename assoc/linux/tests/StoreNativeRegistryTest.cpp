#include "StoreNativeRegistry.h"
#include "StoreScriptShell.h"
#include "TempStore.h"
#include "LocaleCodePage.h"

#include <gtest/gtest.h>

namespace {

class StoreNativeRegistryTest : public ::testing::Test {
protected:
    TempStore temp;
    LocaleCodePage codePage;
    StoreNativeRegistry native{temp.store.get(), codePage};
    const NativeRegistry::SecurityAttributes security{};

    std::int32_t Create(std::uint32_t hive, const std::string& subKey, NativeRegistry::Key& key,
                        std::uint32_t* disposition = nullptr)
    {
        return native.RegCreateKeyExA(hive, subKey, 0, "", 0, kKeyAccessForBinaryWrite, &security, &key,
                                      disposition);
    }
    std::optional<Variant> Read(const Text& path)
    {
        return StoreScriptShellFactory(temp.store.get()).CreateScriptShell()->RegRead(path);
    }
};

TEST_F(StoreNativeRegistryTest, BinaryValueKeepsItsExactBytesUnderANameInTheCodePage)
{
    const Variant::Bytes bytes{0x00, 0xFF, 0x0A, 0x00, 0x80};
    NativeRegistry::Key key = 0;
    ASSERT_EQ(Create(kHkeyCurrentUser, codePage.ToAnsi(u"Software\\ファイル"), key), 0);
    ASSERT_EQ(native.RegSetValueExA(key, "blob", 0, kRegBinary, bytes.data(), 5), 0);
    ASSERT_EQ(native.RegSetValueExA(key, "", 0, kRegBinary, bytes.data(), 0), 0);
    EXPECT_EQ(native.RegCloseKey(key), 0);

    EXPECT_EQ(Read(u"HKCU\\Software\\ファイル\\blob"), Variant::ByteArray(bytes));
    EXPECT_EQ(Read(u"HKCU\\Software\\ファイル\\"), Variant::ByteArray({}));  // empty, not missing
    EXPECT_EQ(QueryFile(temp.file, "SELECT type || ' ' || hex(data) FROM key_values WHERE name = 'blob'"),
              "3 00FF0A0080");
}

TEST_F(StoreNativeRegistryTest, KeysAreCreatedOrOpenedWithTheirParents)
{
    std::uint32_t disposition = 0;
    NativeRegistry::Key first = 0, second = 0, root = 0;
    ASSERT_EQ(Create(kHkeyClassesRoot, "rmfile\\shell\\open", first, &disposition), 0);
    EXPECT_EQ(disposition, 1u);  // created
    ASSERT_EQ(Create(kHkeyClassesRoot, "RMFILE\\shell\\open", second, &disposition), 0);
    EXPECT_EQ(disposition, 2u);  // opened: names ignore case
    EXPECT_NE(first, second);
    ASSERT_EQ(Create(kHkeyClassesRoot, "", root), 0);  // the hive's own root
    const std::uint8_t byte = 7;
    ASSERT_EQ(native.RegSetValueExA(root, "atRoot", 0, kRegBinary, &byte, 1), 0);
    EXPECT_EQ(Read(u"HKCR\\atRoot"), Variant::ByteArray({7}));
    for (auto key : {first, second, root})
        EXPECT_EQ(native.RegCloseKey(key), 0);
    EXPECT_EQ(native.OpenKeyCount(), 0u);
    EXPECT_EQ(QueryFile(temp.file, "SELECT count(*) FROM keys"), "4");
}

TEST_F(StoreNativeRegistryTest, ErrorsLeaveTheStoreUntouched)
{
    const std::uint8_t byte = 1;
    NativeRegistry::Key key = 0;
    struct Case { const char* fault; std::uint32_t hive; const char* subKey; std::int32_t error; } const cases[] = {
        {"unknown hive accepted", 0, "a", 6},
        {"HKEY_PERFORMANCE_DATA accepted", 0x80000004, "a", 6},
        {"empty key name accepted", kHkeyClassesRoot, "a\\\\b", 161},
        {"leading backslash accepted", kHkeyClassesRoot, "\\a", 161},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(Create(c.hive, c.subKey, key), c.error);
    }
    ASSERT_EQ(Create(kHkeyClassesRoot, "k", key), 0);
    EXPECT_EQ(native.RegSetValueExA(key, "s", 0, 1, &byte, 1), 87);  // only binary is set this way
    EXPECT_EQ(native.RegSetValueExA(key, "s", 0, kRegBinary, nullptr, 1), 87);
    EXPECT_EQ(native.RegSetValueExA(key + 1, "s", 0, kRegBinary, &byte, 1), 6);
    EXPECT_EQ(native.RegCloseKey(key), 0);
    EXPECT_EQ(native.RegCloseKey(key), 6);  // closed handles are not reused
    EXPECT_EQ(native.RegSetValueExA(key, "s", 0, kRegBinary, &byte, 1), 6);
    EXPECT_EQ(QueryFile(temp.file, "SELECT count(*) FROM key_values"), "0");
}

} // namespace
