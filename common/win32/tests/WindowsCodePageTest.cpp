// Runs with the system code page 932, as the Wine test prefix is set up.
#include "WindowsCodePage.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(WindowsCodePage, ConvertsBothWaysWithExactLengths)
{
    ASSERT_EQ(GetACP(), 932u) << "the tests expect the Japanese system code page";
    const struct {
        const char* fault;
        Text text;
        std::string ansi;
    } cases[] = {
        {"ASCII changes", u"C:\\clip.rm", "C:\\clip.rm"},
        {"a double-byte character does not count two bytes", u"C:\\メディア.rm",
         "C:\\\x83\x81\x83\x66\x83\x42\x83\x41.rm"},
        {"a half-width katakana does not stay one byte", u"ｷｬﾝｾﾙ", "\xB7\xAC\xDD\xBE\xD9"},
        {"an embedded NUL ends the conversion", Text(u"Real\0*.rm\0\0", 11), std::string("Real\0*.rm\0\0", 11)},
        {"a buffer of NULs changes length", Text(1024, u'\0'), std::string(1024, '\0')},
        {"the empty text is not empty", u"", ""},
    };
    WindowsCodePage codePage;
    for (const auto& c : cases) {
        EXPECT_EQ(codePage.ToAnsi(c.text), c.ansi) << c.fault;
        EXPECT_EQ(codePage.FromAnsi(c.ansi), c.text) << c.fault;
    }
    // The dialog may cut a path inside a double-byte character; what follows survives.
    const Text back = codePage.FromAnsi(std::string("\x83\0x", 3));
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back.substr(1), Text(u"\0x", 2));
}

} // namespace
