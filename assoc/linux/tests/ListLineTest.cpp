// One line of mimeapps.list set or removed, every other byte as it was.
#include "ListLine.h"

#include <gtest/gtest.h>

namespace {

TEST(ListLine, OnlyTheOneLineChanges)
{
    constexpr char kType[] = "application/vnd.rn-realmedia";
    const std::optional<std::string> none;
    struct Case { const char* fault; const char* text; const char* group; std::optional<std::string> value; const char* expected; } const cases[] = {
        {"other lines rewritten", "# c\n[D]\na = b\n\n[A]\napplication/vnd.rn-realmedia=x\n", "A", "ours",
         "# c\n[D]\na = b\n\n[A]\napplication/vnd.rn-realmedia=ours\n"},
        {"line of another group changed", "[A]\napplication/vnd.rn-realmedia=x\n[D]\n", "D", "ours",
         "[A]\napplication/vnd.rn-realmedia=x\n[D]\napplication/vnd.rn-realmedia=ours\n"},
        {"line put after the blank before the next group", "[D]\na=b\n\n[A]\n", "D", "ours",
         "[D]\na=b\napplication/vnd.rn-realmedia=ours\n\n[A]\n"},
        {"missing group not made", "# c", "D", "ours", "# c\n\n[D]\napplication/vnd.rn-realmedia=ours\n"},
        {"line without a line end joined", "[D]\na=b", "D", "ours", "[D]\na=b\napplication/vnd.rn-realmedia=ours"},
        {"line not removed whole", "[D]\na=b\napplication/vnd.rn-realmedia = x\n# d\n", "D", none, "[D]\na=b\n# d\n"},
        {"line end of the line before kept", "[D]\na=b\napplication/vnd.rn-realmedia=ours", "D", none, "[D]\na=b"},
        {"a comment taken for the line", "[D]\n#application/vnd.rn-realmedia=x\n", "D", none, "[D]\n#application/vnd.rn-realmedia=x\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithListLine(c.text, c.group, kType, c.value), c.expected) << c.fault;
}

TEST(ListLine, OnlyAGroupLeftEmptyGoes)
{
    struct Case { const char* fault; const char* text; const char* expected; } const cases[] = {
        {"an empty group left", "# c\n\n[D]\n", "# c\n"},
        {"a group with lines removed", "[D]\na=b\n", "[D]\na=b\n"},
        {"another group removed", "[A]\n[D]\na=b\n", "[A]\n[D]\na=b\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithoutEmptyGroup(c.text, "D"), c.expected) << c.fault;
}

} // namespace
