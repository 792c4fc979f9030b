#include "ArgumentText.h"

#include "LinuxFileNames.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ArgumentText, JoinsTheArgumentsAfterTheProgramWithOneBlank)
{
    struct Case { const char* fault; std::vector<const char*> arguments; Text expected; } const cases[] = {
        {"no argument must give the empty text", {}, u""},
        {"blanks inside one argument are kept", {"/media/My Clips/a b.rm"}, u"/media/My Clips/a b.rm"},
        {"quotes reach the start-up untouched", {"\"/m/a.rm\""}, u"\"/m/a.rm\""},
        {"two arguments are joined by exactly one blank", {"/m/a.rm", "/m/b.rm"}, u"/m/a.rm /m/b.rm"},
        {"empty arguments still count", {"", ""}, u" "},
        {"switch-like text is part of the path", {"-platform", "x"}, u"-platform x"},
        {"UTF-8 bytes become UTF-16", {"/m/メディア.rm"}, u"/m/メディア.rm"},
        {"four-byte UTF-8 becomes a surrogate pair", {"/m/\xf0\x90\x82\x80"}, u"/m/\U00010080"},
        {"a byte that is not UTF-8 must be kept, not replaced", {"/m/\xff\x80.rm"}, u"/m/\xdcff\xdc80.rm"},
        {"an overlong slash is not a slash", {"a\xc0\xaf"}, u"a\xdcc0\xdcaf"},
        {"an encoded surrogate is three stray bytes", {"\xed\xa0\x80"}, u"\xdced\xdca0\xdc80"},
        {"a character cut short at the end", {"x\xe3\x83"}, u"x\xdce3\xdc83"},
    };
    for (const Case& c : cases) {
        const Text joined = JoinArguments(c.arguments);
        EXPECT_EQ(joined, c.expected) << c.fault;
        // The engine opens the bytes the text stands for: the very ones given.
        std::string bytes;
        for (std::size_t i = 0; i < c.arguments.size(); ++i)
            bytes.append(i > 0 ? " " : "").append(c.arguments[i]);
        EXPECT_EQ(FileNameFromText(joined), bytes) << c.fault;
    }
    EXPECT_EQ(FileNameFromText(Text{u'a', char16_t(0xD800), u'b'}), "a\xef\xbf\xbd" "b") << "a lone surrogate names no byte";
}

} // namespace
