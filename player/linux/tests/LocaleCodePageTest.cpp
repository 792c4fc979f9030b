#include "LocaleCodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(LocaleCodePage, EncodesUtf8AndKeepsNulsAndLength)
{
    const struct {
        const char* fault;
        Text text;
        std::string bytes;
    } cases[] = {
        {"ASCII must pass unchanged", u"/m/a.rm", "/m/a.rm"},
        {"a Japanese character counts three bytes", u"メ", "\xE3\x83\xA1"},
        {"embedded NULs must survive both ways", Text(u"a\0b\0\0", 5), std::string("a\0b\0\0", 5)},
        {"an all-NUL buffer keeps its size", Text(1024, u'\0'), std::string(1024, '\0')},
    };
    const LocaleCodePage codePage;
    for (const auto& c : cases) {
        EXPECT_EQ(codePage.ToAnsi(c.text), c.bytes) << c.fault;
        EXPECT_EQ(codePage.FromAnsi(c.bytes), c.text) << c.fault;
    }
}

} // namespace
