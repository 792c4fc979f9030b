#include "Utf8CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8CodePage, ConvertsBothWays)
{
    const Utf8CodePage utf8;
    struct Case {
        const char* fault;
        Text text;
        std::string bytes;
    } const cases[] = {
        {"ASCII changed", u"HKCR\\.rm", "HKCR\\.rm"},
        {"embedded NUL cut", Text(u"a\0b", 3), std::string("a\0b", 3)},
        {"two-byte form wrong", u"\u00e9", "\xc3\xa9"},
        {"Japanese wrong", u"ファイル", "\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab"},
        {"surrogate pair not joined", u"\U0001F3B5", "\xf0\x9f\x8e\xb5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(utf8.ToAnsi(c.text), c.bytes);
        EXPECT_EQ(utf8.FromAnsi(c.bytes), c.text);
    }
}

TEST(Utf8CodePage, IllFormedInputBecomesReplacementCharacters)
{
    const Utf8CodePage utf8;
    EXPECT_EQ(utf8.ToAnsi(Text(1, char16_t(0xD800)) + u"x"), "\xef\xbf\xbdx");  // lone high surrogate
    EXPECT_EQ(utf8.ToAnsi(Text(1, char16_t(0xDC00))), "\xef\xbf\xbd");
    EXPECT_EQ(utf8.FromAnsi("\xff" "a"), u"\ufffda");
    EXPECT_EQ(utf8.FromAnsi("\xc0\xaf"), u"\ufffd\ufffd");          // overlong slash
    EXPECT_EQ(utf8.FromAnsi("\xe3\x83"), u"\ufffd\ufffd");          // cut short at the end
    EXPECT_EQ(utf8.FromAnsi("\xed\xa0\x80"), u"\ufffd\ufffd\ufffd");  // encoded surrogate
}

} // namespace
