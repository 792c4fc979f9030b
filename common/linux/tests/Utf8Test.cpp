#include "Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, ReplacesEachIllFormedPartOnceAndKeepsEveryWellFormedCharacter)
{
    struct Case { const char* fault; std::string_view bytes; Text text; } const cases[] = {
        {"well-formed text must come through whole", "a メディア \xf0\x9f\x98\x80", u"a メディア \U0001F600"},
        {"a character cut short at the end is one part", "x\xe3\x81", u"x\ufffd"},
        {"a character cut short before the next is one part", "\xe3\x81x\xe3\x81\x82", u"\ufffdxあ"},
        {"an overlong slash is not a slash", "\xc0\xaf/", u"\ufffd\ufffd/"},
        {"an encoded surrogate is three stray bytes", "\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},
        {"past U+10FFFF is four stray bytes", "\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"},
        {"the last code point still counts", "\xf4\x8f\xbf\xbf", u"\U0010FFFF"},
        {"a lone continuation or an unused byte is one part each", "\x80\xff", u"\ufffd\ufffd"},
        {"a NUL is a character like any other", std::string_view("a\0b", 3), Text(u"a\0b", 3)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextOfUtf8(c.bytes), c.text) << c.fault;
}

TEST(Utf8, WritesPairsAsOneCharacterAndReplacesLoneSurrogates)
{
    struct Case { const char* fault; Text text; std::string_view bytes; bool wellFormed; } const cases[] = {
        {"a pair is one four-byte character", u"\U0001F600", "\xf0\x9f\x98\x80", true},
        {"the widest two- and three-byte characters", u"\u07ff\uffff", "\xdf\xbf\xef\xbf\xbf", true},
        {"a high surrogate at the end has no partner", Text{u'a', char16_t(0xD83D)}, "a\xef\xbf\xbd", false},
        {"a low surrogate first has no partner", Text{char16_t(0xDE00), char16_t(0xD83D), u'b'},
         "\xef\xbf\xbd\xef\xbf\xbd" "b", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8Of(c.text), c.bytes) << c.fault;
        EXPECT_EQ(IsWellFormed(c.text), c.wellFormed) << c.fault;
    }
}

} // namespace
