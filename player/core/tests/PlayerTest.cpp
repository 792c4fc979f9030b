#include "PlayerRecorder.h"
#include "RealAudio1.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

TEST(Module1, MainDecidesTheMediaPathAndTheWindow)
{
    // The media filter, and no folder, title or owner: the dialog's own defaults.
    const std::string ask = "ShowOpenDialog Real メディア,*.rm;*.ram|||0";
    const struct {
        const char* fault;
        Text argumentText;
        Log log;
        std::vector<Text> quotedNames = {};
        std::string failing = "none";
    } cases[] = {
        {"no argument: ask, and end when no file is chosen", u"", {ask, "EndProgram"}},
        {"the shell's quotes go, blanks stay", u"\"C:\\My Media\\clip.rm\"", {"ShowForm1 C:\\My Media\\clip.rm"}},
        {"quotes go anywhere, and two paths are never split", u"\"C:\\a.rm\" \"C:\\b\"c.rm\"",
         {"ShowForm1 C:\\a.rm C:\\bc.rm"}},
        {"a name that holds a quote stays whole", u"/m/a\"b.rm", {"ShowForm1 /m/a\"b.rm"}, {u"/m/a\"b.rm"}},
        {"only the shell's wrapping quotes go", u"\"/m/a\"b.rm\"", {"ShowForm1 /m/a\"b.rm"}, {u"/m/a\"b.rm"}},
        {"a dialog that fails is reported, not taken for Cancel", u"", {ask, "Report 2147500037"}, {},
         "ShowOpenDialog"},
        {"a window that cannot be shown is reported", u"C:\\a.rm", {"ShowForm1 C:\\a.rm", "Report 2147500037"}, {},
         "ShowForm1"},
    };
    for (const auto& c : cases) {
        Recorder r;
        r.argumentText = c.argumentText;
        r.quotedNames = c.quotedNames;
        r.failing = c.failing;
        Main(r);
        EXPECT_EQ(r.log, c.log) << c.fault;
    }
}

TEST(Form1, EachEventMakesExactlyTheseCallsInThisOrder)
{
    Recorder r;
    Form1 form(r, r);
    gMediaPath = u"\"C:\\My Media\\cl\"ip.rm\"";
    form.Form_Load();
    r.quotedNames = {u"/m/cl\"ip.rm"};
    gMediaPath = r.quotedNames[0];
    form.Form_Load();
    r.failing = "Invoke 277";
    form.Form_Load();
    form.Form_Resize();
    // Only Escape ends the process, and the key step leaves every key code as it was.
    for (std::int16_t key : {13, 32, int('a'), int('Q'), 0, -27, 27}) {
        std::int16_t keyAscii = key;
        form.Form_KeyPress(keyAscii);
        EXPECT_EQ(keyAscii, key);
    }
    for (std::int32_t state : {0, 1, -1, 0, 2, INT32_MIN})
        form.RealAudio1_StateChange(state);
    // Each load sizes the control, starts it and hands it the path without the shell's quotes but
    // with a name's own, unless a call fails: nothing follows that.
    EXPECT_EQ(r.log, (Log{"Width 4800", "Height 3600", "Invoke 277 -1", "Invoke 215 C:\\My Media\\clip.rm",
                          "Width 4800", "Height 3600", "Invoke 277 -1", "Invoke 215 /m/cl\"ip.rm",
                          "Width 4800", "Height 3600", "Invoke 277 -1", "Report 2147500037",
                          "Width 4800", "Height 3600", "EndProcessNow", "Invoke 257", "Invoke 257"}));
}

} // namespace
