#include "ComdlgM.h"
#include "DoubleByteCodePage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace std::string_literals;

TEST(ComdlgM, FilterListTurnsEveryCommaIntoOneNulAndEndsInTwo)
{
    const struct { const char* fault; Text filter, expected; } cases[] = {
        {"one pair", u"Real メディア,*.rm;*.ram", u"Real メディア\0*.rm;*.ram\0\0"s},
        {"two pairs", u"A,*.a,B,*.b;*.c", u"A\0*.a\0B\0*.b;*.c\0\0"s},
        {"a trailing comma adds one NUL", u"A,*.a,", u"A\0*.a\0\0\0"s},
        {"empty filter", u"", u"\0\0"s},
        {"semicolons and blanks are kept", u"X Y,*.x; *.y", u"X Y\0*.x; *.y\0\0"s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildFilterList(c.filter), c.expected) << c.fault;
}

// Emulates GetOpenFileNameA: remembers the record, and answers with a chosen byte
// path, which it refuses as the real dialog does when it does not fit the buffer.
struct FakeDialog final : OpenFileDialogApi {
    std::string chosenPath;
    bool cancel = false;
    PlatformError raise;
    std::string garbageAfterPath;
    OpenFileNameAnsi seen;

    DialogCall GetOpenFileNameA(OpenFileNameAnsi& record) override
    {
        seen = record;
        if (raise)
            return {0, raise};
        if (cancel || !record.lpstrFile || chosenPath.size() + 1 > record.nMaxFile ||
            record.lpstrFile->size() < record.nMaxFile)
            return {0, {}};
        std::string& buffer = *record.lpstrFile;
        std::copy(chosenPath.begin(), chosenPath.end(), buffer.begin());
        buffer[chosenPath.size()] = '\0';
        std::copy_n(garbageAfterPath.begin(),
                    std::min(garbageAfterPath.size(), buffer.size() - chosenPath.size() - 1),
                    buffer.begin() + static_cast<std::ptrdiff_t>(chosenPath.size()) + 1);
        return {1, {}};
    }
};

constexpr NativeHandle kInstance = 0x400000;

struct Dialog {
    DoubleByteCodePage codePage;
    FakeDialog api;
    OpenDialogResult Show(TextView filter = u"Real メディア,*.rm;*.ram", TextView dir = u"",
                          TextView title = u"", NativeHandle owner = 0)
    {
        return ShowOpenDialog(filter, dir, title, owner, {codePage, api, kInstance});
    }
};

TEST(ComdlgM, RecordCarriesExactlyTheDocumentedValues)
{
    Dialog d;
    d.Show(u"Real メディア,*.rm;*.ram", u"", u"", 0x1234);
    const OpenFileNameAnsi& r = d.api.seen;
    EXPECT_EQ(r.lStructSize, 76u);
    EXPECT_EQ(r.hwndOwner, 0x1234u);
    EXPECT_EQ(r.hInstance, kInstance);
    EXPECT_EQ(r.lpstrFilter, "Real \x83\xE1\x83\xC7\x83\xA3\x83\xA2\0*.rm;*.ram\0\0"s);
    EXPECT_FALSE(r.lpstrCustomFilter);
    EXPECT_EQ(r.nMaxCustFilter, 0u);
    EXPECT_EQ(r.nFilterIndex, 1u);
    EXPECT_EQ(r.lpstrFile, std::string(1024, '\0'));
    EXPECT_EQ(r.nMaxFile, 1024u);
    EXPECT_EQ(r.lpstrFileTitle, std::string(1024, '\0'));
    EXPECT_EQ(r.nMaxFileTitle, 1024u);
    EXPECT_FALSE(r.lpstrInitialDir) << "an empty folder must stay null, not point at an empty text";
    EXPECT_FALSE(r.lpstrTitle) << "an empty title must stay null, not point at an empty text";
    EXPECT_EQ(r.Flags, 0x81804u);
    EXPECT_EQ(r.nFileOffset, 0u);
    EXPECT_EQ(r.nFileExtension, 0u);
    EXPECT_FALSE(r.lpstrDefExt);
    EXPECT_EQ(r.lCustData, 0u);
    EXPECT_EQ(r.lpfnHook, 0u);
    EXPECT_FALSE(r.lpTemplateName);
}

TEST(ComdlgM, TitleAndFolderAreSetOnlyWhenGivenAndConverted)
{
    Dialog d;
    d.Show(u"A,*.a", u"C:\\メ", u"タイトル");
    EXPECT_EQ(d.api.seen.lpstrInitialDir, "C:\\\x83\xE1");
    EXPECT_EQ(d.api.seen.lpstrTitle, "\x83\xBF\x83\xA4\x83\xC8\x83\xEB");
}

TEST(ComdlgM, ResultIsTheBufferUpToItsFirstNul)
{
    const std::string kana = "\x83\xE1";  // メ, two bytes in the code page
    std::string longest = "C:\\";  // 1023 bytes: 510 kana and 3 bytes
    while (longest.size() < 1023)
        longest += kana;
    const struct {
        const char* fault;
        std::string chosenBytes;
        bool cancel;
        std::string garbageAfterPath;
        Text expected;
    } cases[] = {
        {"cancel gives the empty text", "C:\\a.rm", true, "", u""},
        {"a plain path comes back whole", "C:\\Media\\clip.rm", false, "", u"C:\\Media\\clip.rm"},
        {"double-byte characters come back as one character each", "C:\\" + kana + ".rm", false, "", u"C:\\メ.rm"},
        {"nothing after the first NUL leaks into the result", "C:\\a.rm", false, "junk\0more"s, u"C:\\a.rm"},
        {"1023 bytes is the longest path", longest, false, "", u"C:\\" + Text(510, u'メ')},
        {"1024 bytes do not fit the buffer: the dialog fails", longest + "x", false, "", u""},
    };
    for (const auto& c : cases) {
        Dialog d;
        d.api.chosenPath = c.chosenBytes;
        d.api.cancel = c.cancel;
        d.api.garbageAfterPath = c.garbageAfterPath;
        const OpenDialogResult result = d.Show();
        EXPECT_FALSE(result.error) << c.fault;
        EXPECT_EQ(result.path, c.expected) << c.fault;
    }
}

TEST(ComdlgM, ARaisedErrorGoesToTheCallerWithNoPath)
{
    Dialog d;
    d.api.chosenPath = "C:\\a.rm";
    d.api.raise = {0x8007007E};
    const OpenDialogResult result = d.Show();
    EXPECT_EQ(result.error.code, 0x8007007Eu);
    EXPECT_EQ(result.path, u"");
}

} // namespace
