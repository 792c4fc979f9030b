#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheWindowsRules)
{
    struct Case { const char* command; Arguments expected; } const cases[] = {
        {R"("C:\Player\Pexalo.exe" "%1")", {R"(C:\Player\Pexalo.exe)", "%1"}},
        {R"("/opt/my player/Pexalo" "%1")", {"/opt/my player/Pexalo", "%1"}},
        {"/usr/bin/p a  b\tc  ", {"/usr/bin/p", "a", "b", "c"}},   // blanks and tabs separate
        {"p a\nb", {"p", "a\nb"}},                                  // a newline does not
        {R"(p "a b" c)", {"p", "a b", "c"}},
        {R"(p a"b c"d)", {"p", "ab cd"}},                           // quotes inside an argument
        {R"(p a\\b)", {"p", R"(a\\b)"}},                            // backslashes without a quote stay
        {R"(p a\"b)", {"p", R"(a"b)"}},                             // odd: literal quote
        {R"(p a\\\"b)", {"p", R"(a\"b)"}},
        {R"(p "a\\" b)", {"p", R"(a\)", "b"}},                      // even: the quote closes
        {R"(p "a""b")", {"p", R"(a"b)"}},                           // every third quote is literal
        {R"(p "a""b c")", {"p", R"(a"b)", "c"}},
        {R"(p """""" x)", {"p", R"("")", "x"}},
        {R"(p "" x)", {"p", "", "x"}},                              // an empty quoted argument counts
        {R"(p "unclosed arg)", {"p", "unclosed arg"}},
        {R"("C:\a b\p.exe"x y)", {R"(C:\a b\p.exe)", "x", "y"}},    // the program name ends at its quote
        {R"(C:\a\"b" c)", {R"(C:\a\"b")", "c"}},                    // and knows no escapes
        {R"("unclosed program)", {"unclosed program"}},
        {" p", {"", "p"}},                                          // the name ends at the first blank
        {"p", {"p"}},
        {"", {}},
        {"\xe3\x83\x95 \"\xe3\x82\xa1 b\"", {"\xe3\x83\x95", "\xe3\x82\xa1 b"}},  // UTF-8 passes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(SplitCommandLine(c.command), c.expected);
    }
}

TEST(SubstituteFile, ReplacesThePlaceholderInsideEachArgument)
{
    struct Case { const char* fault; Arguments arguments; const char* file; Arguments expected; } const cases[] = {
        {"plain placeholder missed", {"p", "%1"}, "/m/a b.rm", {"p", "/m/a b.rm"}},
        {"blank in the path split it", {"p", "%1"}, "/m/a \" b; $(x)\n.rm", {"p", "/m/a \" b; $(x)\n.rm"}},
        {"placeholder inside an argument missed", {"p", "--file=%1!"}, "/a", {"p", "--file=/a!"}},
        {"second placeholder missed", {"p", "%1|%1"}, "/a", {"p", "/a|/a"}},
        {"program name not substituted", {"%1", "x"}, "/a", {"/a", "x"}},
        {"the file's own %1 expanded again", {"p", "%1"}, "/x%1y", {"p", "/x%1y"}},
        {"other placeholders touched", {"p", "%2", "%", "1"}, "/a", {"p", "%2", "%", "1"}},
        {"percent before the placeholder lost", {"p", "%%1"}, "/a", {"p", "%/a"}},
        {"empty file not put in", {"p", "[%1]"}, "", {"p", "[]"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(SubstituteFile(c.arguments, c.file), c.expected);
    }
}

} // namespace
