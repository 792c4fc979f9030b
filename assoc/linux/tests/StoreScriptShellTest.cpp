#include "StoreScriptShell.h"
#include "TempStore.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(ParseScriptHostPath, NamesEveryHiveAndSplitsKeysFromTheValue)
{
    // Read and write tests show the common forms and the refused ones; these are the rest.
    struct Case { const char16_t* path; std::uint32_t hive; std::vector<Text> keys; const char16_t* valueName; } const cases[] = {
        {u"HKCU\\x", kHkeyCurrentUser, {}, u"x"},  // one name after the hive is a value
        {u"HKLM\\", kHkeyLocalMachine, {}, u""},
        {u"HKEY_USERS\\a\\b", kHkeyUsers, {u"a"}, u"b"},
        {u"HKEY_CURRENT_CONFIG\\a\\", kHkeyCurrentConfig, {u"a"}, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(Text(c.path)));
        const auto parsed = ParseScriptHostPath(c.path);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->key.hive, c.hive);
        EXPECT_EQ(parsed->key.names, c.keys);
        EXPECT_EQ(parsed->valueName, c.valueName);
    }
}

class StoreScriptShellTest : public ::testing::Test {
protected:
    TempStore temp;
    StoreScriptShellFactory factory{temp.store.get()};
    std::optional<Variant> Read(const Text& path) { return factory.CreateScriptShell()->RegRead(path); }
    bool Write(const Text& path, const Variant& value, const Text& type)
    {
        return factory.CreateScriptShell()->RegWrite(path, value, type);
    }
};

TEST_F(StoreScriptShellTest, ValuesReadBackWithTheirTypes)
{
    const Variant text = Variant::String(u"RealMedia ファイル");
    struct Case { const char* fault; Variant written; const char16_t* type; Variant readBack; } const cases[] = {
        {"string lost", text, u"REG_SZ", text},
        {"empty string not kept", Variant::String(u""), u"REG_SZ", Variant::String(u"")},
        {"by-reference string not followed", Variant::ByRef(text), u"REG_SZ", text},
        {"32-bit number changed", Variant::I4(-7), u"REG_DWORD", Variant::I4(-7)},
        {"16-bit number not widened with its sign", Variant::I2(-1), u"REG_DWORD", Variant::I4(-1)},
        {"byte stored as something else", Variant::UI1(200), u"REG_DWORD", Variant::I4(200)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_TRUE(Write(u"HKCU\\Types\\v", c.written, c.type));
        const auto read = Read(u"HKCU\\Types\\v");
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->Type(), c.readBack.Type());
        EXPECT_EQ(*read, c.readBack);
    }
}

TEST_F(StoreScriptShellTest, RefusesValuesThatDoNotFitTheType)
{
    struct Case { const char* fault; Text path; Variant value; const char16_t* type; } const cases[] = {
        {"number written as a string", u"HKCU\\T\\a", Variant::I4(1), u"REG_SZ"},
        {"string written as a number", u"HKCU\\T\\b", Variant::String(u"1"), u"REG_DWORD"},
        {"Boolean taken", u"HKCU\\T\\c", Variant::Bool(true), u"REG_DWORD"},
        {"floating point taken", u"HKCU\\T\\d", Variant::R8(1.5), u"REG_DWORD"},
        {"empty taken", u"HKCU\\T\\e", Variant(), u"REG_SZ"},
        {"unknown type name taken", u"HKCU\\T\\f", Variant::String(u"x"), u"REG_EXPAND_SZ"},
        {"lower-case hive taken", u"hkcu\\T\\g", Variant::String(u"x"), u"REG_SZ"},
        {"path without backslash taken", u"HKCU", Variant::String(u"x"), u"REG_SZ"},
        {"short form HKU taken", u"HKU\\a\\b", Variant::String(u"x"), u"REG_SZ"},
        {"empty hive name taken", u"\\a\\b", Variant::String(u"x"), u"REG_SZ"},
        {"empty key name taken", u"HKCR\\a\\\\b", Variant::String(u"x"), u"REG_SZ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_FALSE(Write(c.path, c.value, c.type));
    }
    EXPECT_EQ(QueryFile(temp.file, "SELECT count(*) FROM key_values"), "0");
}

TEST_F(StoreScriptShellTest, MissingKeysAndValuesGiveNothing)
{
    ASSERT_TRUE(Write(u"HKCR\\.rm\\bak", Variant::String(u"old"), u"REG_SZ"));
    EXPECT_FALSE(Read(u"HKCR\\.rm\\"));          // the key exists, its default value does not
    EXPECT_FALSE(Read(u"HKCR\\.rm\\other"));
    EXPECT_FALSE(Read(u"HKCR\\.ram\\"));         // no such key
    EXPECT_FALSE(Read(u"HKCU\\.rm\\bak"));       // same names in another hive
    EXPECT_EQ(Read(u"HKCR\\.rm\\bak"), Variant::String(u"old"));
}

TEST_F(StoreScriptShellTest, WritingCreatesParentsAndKeepsNamesApart)
{
    ASSERT_TRUE(Write(u"HKCR\\rmfile\\shell\\open\\command\\", Variant::String(u"cmd"), u"REG_SZ"));
    ASSERT_TRUE(Write(u"HKCR\\rmfile\\", Variant::String(u"display"), u"REG_SZ"));
    ASSERT_TRUE(Write(u"HKCR\\rmfile", Variant::String(u"at the root"), u"REG_SZ"));
    EXPECT_EQ(Read(u"HKEY_CLASSES_ROOT\\rmfile\\shell\\open\\command\\"), Variant::String(u"cmd"));
    EXPECT_EQ(Read(u"HKCR\\RMFILE\\Shell\\open\\command\\"), Variant::String(u"cmd"));  // names ignore case
    EXPECT_EQ(Read(u"HKCR\\rmfile\\"), Variant::String(u"display"));
    EXPECT_EQ(Read(u"HKCR\\rmfile"), Variant::String(u"at the root"));  // a value, not the key
    EXPECT_FALSE(Read(u"HKCR\\rmfile\\shell\\"));
    EXPECT_EQ(QueryFile(temp.file, "SELECT count(*) FROM keys"), "5");  // root, rmfile, shell, open, command
}

TEST(RegistryStore, OpenFailsWhereNoFileCanBeMade)
{
    TempFolder folder;
    const std::filesystem::path blocker = folder.Path() / "not-a-folder";
    { std::ofstream(blocker) << "x"; }
    EXPECT_EQ(RegistryStore::Open(blocker / "registry.sqlite3"), nullptr);
    EXPECT_EQ(RegistryStore::Open(""), nullptr);
}

} // namespace
