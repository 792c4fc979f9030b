#include "Module1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Names with quotes that exist: none, as on Windows, unless a case lists some.
struct FakeFileNames final : FileNameRule {
    std::vector<Text> quotedNames;
    bool QuotedNameExists(TextView path) const override
    {
        return std::find(quotedNames.begin(), quotedNames.end(), path) != quotedNames.end();
    }
};

struct FakeStartup final : StartupPorts {
    FakeFileNames fileNames;
    Text argumentText;
    OpenDialogResult dialogAnswer;
    PlatformError form1Error;
    std::vector<std::string> calls;
    Text dialogFilter, dialogInitialDir = u"unset", dialogTitle = u"unset";
    NativeHandle dialogOwner = 99;
    Text mediaPathWhenFormShown;

    Text ArgumentText() override { calls.push_back("ArgumentText"); return argumentText; }
    const FileNameRule& FileNames() const override { return fileNames; }
    OpenDialogResult ShowOpenDialog(TextView filter, TextView initialDir, TextView title,
                                    NativeHandle ownerWindow) override
    {
        calls.push_back("ShowOpenDialog");
        dialogFilter = filter; dialogInitialDir = initialDir; dialogTitle = title; dialogOwner = ownerWindow;
        return dialogAnswer;
    }
    PlatformError ShowForm1() override
    {
        calls.push_back("ShowForm1");
        mediaPathWhenFormShown = gMediaPath;
        return form1Error;
    }
    void EndProgram() override { calls.push_back("EndProgram"); }
    void ReportErrorAndEnd(PlatformError e) override { calls.push_back("Report " + std::to_string(e.code)); }
};

using Calls = std::vector<std::string>;
const Calls kPlays = {"ArgumentText", "ShowForm1"};
const Calls kAsksThenPlays = {"ArgumentText", "ShowOpenDialog", "ShowForm1"};
const Calls kAsksThenEnds = {"ArgumentText", "ShowOpenDialog", "EndProgram"};

TEST(Module1, MainDecidesTheMediaPathAndTheWindow)
{
    const struct {
        const char* fault;
        Text argumentText, dialogPath, expectedMediaPath;
        Calls expectedCalls;
        std::vector<Text> quotedNames = {};  // the names with quotes that exist
    } cases[] = {
        {"no argument must ask", u"", u"", u"", kAsksThenEnds},
        {"quotes must go, blanks stay", u"\"C:\\My Media\\clip.rm\"", u"", u"C:\\My Media\\clip.rm", kPlays},
        {"an unquoted text is one path", u"C:\\My Media\\clip.rm", u"", u"C:\\My Media\\clip.rm", kPlays},
        {"quotes go anywhere, not only at the ends", u"C:\\a\"b.rm", u"", u"C:\\ab.rm", kPlays},
        {"two paths are never split", u"\"C:\\a.rm\" \"C:\\b.rm\"", u"", u"C:\\a.rm C:\\b.rm", kPlays},
        {"only quotes counts as no file", u"\"\"", u"", u"", kAsksThenEnds},
        {"leading and trailing blanks are not trimmed", u" C:\\a.rm ", u"", u" C:\\a.rm ", kPlays},
        {"a switch-like text is a path", u"/play", u"", u"/play", kPlays},
        {"the chosen file is played", u"", u"C:\\Media\\x.rm", u"C:\\Media\\x.rm", kAsksThenPlays},
        {"the dialog's result is stored unchanged", u"\"\"", u"C:\\odd\"name.rm", u"C:\\odd\"name.rm", kAsksThenPlays},
        {"a name that holds a quote must stay whole", u"/m/a\"b.rm", u"", u"/m/a\"b.rm", kPlays, {u"/m/a\"b.rm"}},
        {"only the shell's wrapping quotes go", u"\"/m/a\"b.rm\"", u"", u"/m/a\"b.rm", kPlays, {u"/m/a\"b.rm"}},
        {"quotes that name no file are the shell's", u"\"/m/a\"b.rm\"", u"", u"/m/ab.rm", kPlays, {u"/m/other\".rm"}},
    };
    for (const auto& c : cases) {
        FakeStartup ports;
        ports.argumentText = c.argumentText;
        ports.dialogAnswer.path = c.dialogPath;
        ports.fileNames.quotedNames = c.quotedNames;
        gMediaPath = u"stale";
        Main(ports);
        EXPECT_EQ(ports.calls, c.expectedCalls) << c.fault;
        EXPECT_EQ(gMediaPath, c.expectedMediaPath) << c.fault;
        if (!c.expectedMediaPath.empty()) {
            EXPECT_EQ(ports.mediaPathWhenFormShown, c.expectedMediaPath) << "window created before the path was final";
        }
    }
}

TEST(Module1, AsksWithTheMediaFilterNoFolderNoTitleAndNoOwner)
{
    FakeStartup ports;
    Main(ports);
    EXPECT_EQ(ports.dialogFilter, u"Real メディア,*.rm;*.ram");
    EXPECT_EQ(ports.dialogInitialDir, u"");
    EXPECT_EQ(ports.dialogTitle, u"");
    EXPECT_EQ(ports.dialogOwner, 0u);
}

TEST(Module1, ReportsFailuresInsteadOfGoingOn)
{
    FakeStartup dialogFails;
    dialogFails.dialogAnswer.error = {0x8007007E};
    Main(dialogFails);
    EXPECT_EQ(dialogFails.calls, (Calls{"ArgumentText", "ShowOpenDialog", "Report 2147942526"}));

    FakeStartup windowFails;
    windowFails.argumentText = u"C:\\a.rm";
    windowFails.form1Error = {0x80040154};
    Main(windowFails);
    EXPECT_EQ(windowFails.calls, (Calls{"ArgumentText", "ShowForm1", "Report 2147746132"}));
}

} // namespace
