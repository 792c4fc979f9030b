#include "LocaleCodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(LocaleCodePage, ConvertsBothWaysKeepingNulsAndLength)
{
    const struct { const char* fault; Text text; std::string bytes; } cases[] = {
        {"ASCII must pass unchanged", u"HKCR\\.rm", "HKCR\\.rm"},
        {"the two-byte form is wrong", u"\u00e9", "\xc3\xa9"},
        {"a Japanese character counts three bytes", u"メ", "\xE3\x83\xA1"},
        {"a surrogate pair must become one four-byte character", u"\U0001F3B5", "\xf0\x9f\x8e\xb5"},
        {"embedded NULs must survive both ways", Text(u"a\0b\0\0", 5), std::string("a\0b\0\0", 5)},
        {"an all-NUL buffer keeps its size", Text(1024, u'\0'), std::string(1024, '\0')},
    };
    const LocaleCodePage codePage;
    for (const auto& c : cases) {
        EXPECT_EQ(codePage.ToAnsi(c.text), c.bytes) << c.fault;
        EXPECT_EQ(codePage.FromAnsi(c.bytes), c.text) << c.fault;
    }
}

// Registry data and file names can hold anything: what is not well-formed becomes
// U+FFFD and the well-formed rest survives, even at the very end of the text.
TEST(LocaleCodePage, IllFormedInputBecomesReplacementCharacters)
{
    const LocaleCodePage codePage;
    const struct { const char* fault; std::string bytes; Text text; } bytesCases[] = {
        {"a stray byte", "\xff" "a", u"\ufffda"},
        {"an overlong slash", "a\xc0\xaf" "b", u"a\ufffd\ufffdb"},
        {"an encoded surrogate", "\xed\xa0\x80" "z", u"\ufffd\ufffd\ufffdz"},
        {"a character cut short at the end", "x\xe3\x83", u"x\ufffd\ufffd"},
    };
    for (const auto& c : bytesCases)
        EXPECT_EQ(codePage.FromAnsi(c.bytes), c.text) << c.fault;

    const struct { const char* fault; Text text; std::string bytes; } textCases[] = {
        {"a lone high surrogate", Text{char16_t(0xD800), u'x'}, "\xef\xbf\xbdx"},
        {"a lone low surrogate", Text{char16_t(0xDC00), u'y'}, "\xef\xbf\xbdy"},
        {"a high surrogate at the end", Text{u'z', char16_t(0xD800)}, "z\xef\xbf\xbd"},
    };
    for (const auto& c : textCases)
        EXPECT_EQ(codePage.ToAnsi(c.text), c.bytes) << c.fault;
}

} // namespace
