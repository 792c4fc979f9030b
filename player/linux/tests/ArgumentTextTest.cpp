#include "ArgumentText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Case {
    const char* fault;
    std::vector<const char*> arguments;
    Text expected;
};

TEST(ArgumentText, JoinsTheArgumentsAfterTheProgramWithOneBlank)
{
    const Case cases[] = {
        {"no argument must give the empty text", {}, u""},
        {"blanks inside one argument are kept", {"/media/My Clips/a b.rm"}, u"/media/My Clips/a b.rm"},
        {"quotes reach the start-up untouched", {"\"/m/a.rm\""}, u"\"/m/a.rm\""},
        {"two arguments are joined by exactly one blank", {"/m/a.rm", "/m/b.rm"}, u"/m/a.rm /m/b.rm"},
        {"empty arguments still count", {"", ""}, u" "},
        {"switch-like text is part of the path", {"-platform", "x"}, u"-platform x"},
        {"UTF-8 bytes become UTF-16", {"/m/メディア.rm"}, u"/m/メディア.rm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinArguments(c.arguments), c.expected) << c.fault;
}

} // namespace
