#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

// Each case names what a wrong result would mean.
const struct { const char* fault; const wchar_t* commandLine; const char16_t* argumentText; } kCases[] = {
    {"blanks in a quoted program name split it", LR"("C:\Program Files\Pexalo\Pexalo.exe" "C:\My Media\clip.rm")",
     uR"("C:\My Media\clip.rm")"},
    {"the shell's quotes are not the program's to remove", LR"(Pexalo.exe "C:\a.rm" "C:\b.rm")",
     uR"("C:\a.rm" "C:\b.rm")"},
    {"blanks inside the argument text are lost", LR"(Pexalo.exe C:\My Media\clip.rm)", uR"(C:\My Media\clip.rm)"},
    {"every blank and tab after the name is skipped", L"Pexalo.exe \t  x.rm  ", u"x.rm  "},
    {"a text right after the closing quote belongs to the argument", LR"("C:\Pexalo.exe"x.rm)", u"x.rm"},
    {"no argument gives the empty text", LR"("C:\Pexalo.exe")", u""},
    {"trailing blanks alone are no argument", L"Pexalo.exe   ", u""},
    {"an unclosed quoted name swallows the rest", LR"("C:\Pexalo.exe x.rm)", u""},
    {"characters outside ASCII are cut wrongly", LR"("C:\メディア\Pexalo.exe" "C:\曲.rm")",
     uR"("C:\曲.rm")"},
};

TEST(ArgumentText, TakesEverythingAfterTheProgramNameAndItsBlanks)
{
    for (const auto& c : kCases)
        EXPECT_EQ(ArgumentText(c.commandLine), c.argumentText) << c.fault;
}

} // namespace
