#include "ShellAssociation.h"
#include "StoreScriptShell.h"
#include "TempStore.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtensionOf, TakesTheLastDotOfTheFileName)
{
    struct Case { const char16_t* path; const char16_t* extension; } const cases[] = {
        {u"/m/clip.rm", u".rm"},
        {u"/m/clip.tar.rm", u".rm"},
        {u"/m.d/clip", u""},  // a dot in a folder name is no extension
        {u"/m/.rm", u".rm"},
        {u"/m/clip.", u"."},
        {u"clip.RM", u".RM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtensionOf(c.path), c.extension) << ::testing::PrintToString(Text(c.path));
}

class OpenCommandForTest : public ::testing::Test {
protected:
    TempStore temp;
    StoreScriptShellFactory registry{temp.store.get()};
    void Set(const Text& path, const Variant& value)
    {
        ASSERT_TRUE(registry.CreateScriptShell()->RegWrite(
            path, value, value.ValueType() == VarType::BStr ? u"REG_SZ" : u"REG_DWORD"));
    }
};

TEST_F(OpenCommandForTest, FollowsTheClassToItsOpenCommand)
{
    Set(u"HKCR\\.rm\\", Variant::String(u"rmfile"));
    Set(u"HKCR\\rmfile\\shell\\open\\command\\", Variant::String(u"\"/p/Pexalo\" \"%1\""));
    EXPECT_EQ(OpenCommandFor(u".rm", registry), u"\"/p/Pexalo\" \"%1\"");
    EXPECT_EQ(OpenCommandFor(u".RM", registry), u"\"/p/Pexalo\" \"%1\"");  // registry names ignore case
}

TEST_F(OpenCommandForTest, AnythingMissingMeansNoAssociation)
{
    Set(u"HKCR\\.none\\bak", Variant::String(u"rmfile"));          // key without a class
    Set(u"HKCR\\.empty\\", Variant::String(u""));
    Set(u"HKCR\\.number\\", Variant::I4(1));
    Set(u"HKCR\\.orphan\\", Variant::String(u"noclass"));           // class without a command
    Set(u"HKCR\\.blank\\", Variant::String(u"blankfile"));
    Set(u"HKCR\\blankfile\\shell\\open\\command\\", Variant::String(u""));
    Set(u"HKCR\\.x\\y\\", Variant::String(u"rmfile"));
    Set(u"HKCR\\rmfile\\shell\\open\\command\\", Variant::String(u"p \"%1\""));
    for (const char16_t* extension : {u".missing", u".none", u".empty", u".number", u".orphan", u".blank",
                                      u".x\\y", u""}) {
        EXPECT_EQ(OpenCommandFor(extension, registry), std::nullopt) << ::testing::PrintToString(Text(extension));
    }
    StoreScriptShellFactory noStore(nullptr);
    Set(u"HKCR\\.rm\\", Variant::String(u"rmfile"));
    EXPECT_EQ(OpenCommandFor(u".rm", noStore), std::nullopt);
}

} // namespace
