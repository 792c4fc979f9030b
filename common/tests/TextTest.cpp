#include "Text.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(Text, RemoveDoubleQuotesRemovesEveryOneAndNothingElse)
{
    struct Case { Text in, out; };
    for (const Case& c : {Case{u"", u""}, Case{u"\"\"", u""}, Case{u" \"a b\" ", u" a b "},
                          Case{u"a\"\"\"b", u"ab"}, Case{u"\u201Ca\u201D", u"\u201Ca\u201D"},
                          Case{u"\"\0x\""s, u"\0x"s}, Case{u"\xD800\"", u"\xD800"}})
        EXPECT_EQ(RemoveDoubleQuotes(c.in), c.out);
}

TEST(Text, ReplaceAllKeepsTheLength)
{
    EXPECT_EQ(ReplaceAll(u",a,,b,", u',', u'\0'), u"\0a\0\0b\0"s);
}

} // namespace
