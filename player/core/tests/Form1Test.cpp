#include "Form1.h"
#include "Module1.h"
#include "RealAudio1.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every call on the window and the control in one ordered log.
struct Recorder final : MediaControl, PlayerWindow, FileNameRule {
    std::vector<std::string> log;
    Text quotedName;  // the one name with quotes that exists
    std::vector<std::vector<Variant>> arguments;
    float width = 4800, height = 3600;
    std::int32_t failingDispId = 0;

    PlatformError Invoke(std::int32_t dispId, std::span<const Variant> args) override
    {
        log.push_back("Invoke " + std::to_string(dispId));
        arguments.emplace_back(args.begin(), args.end());
        return {dispId == failingDispId ? 0x80020003u : 0u};
    }
    PlatformError SetWidth(float twips) override { log.push_back("Width " + std::to_string(int(twips))); return {}; }
    PlatformError SetHeight(float twips) override { log.push_back("Height " + std::to_string(int(twips))); return {}; }
    float WidthTwips() const override { return width; }
    float HeightTwips() const override { return height; }
    const FileNameRule& FileNames() const override { return *this; }
    bool QuotedNameExists(TextView path) const override { return path == quotedName; }
    void EndProcessNow() override { log.push_back("EndProcessNow"); }
    void ReportErrorAndEnd(PlatformError e) override { log.push_back("Report " + std::to_string(e.code)); }
};

using Log = std::vector<std::string>;

TEST(Form1, LoadSizesTheControlThenStartsThenHandsThePathWithoutQuotes)
{
    Recorder r;
    Form1 form(r, r);
    gMediaPath = u"\"C:\\My Media\\cl\"ip.rm\"";
    form.Form_Load();
    EXPECT_EQ(r.log, (Log{"Width 4800", "Height 3600", "Invoke 277", "Invoke 215"}));
    EXPECT_EQ(r.arguments, (std::vector<std::vector<Variant>>{{Variant::Bool(true)},
                                                              {Variant::String(u"C:\\My Media\\clip.rm")}}));

    r.quotedName = u"/m/cl\"ip.rm";
    gMediaPath = r.quotedName;
    form.Form_Load();
    EXPECT_EQ(r.arguments.back(), std::vector<Variant>{Variant::String(r.quotedName)}) << "a name's own quote was lost";
}

TEST(Form1, ResizeFollowsTheWindowWhateverItsSize)
{
    Recorder r;
    Form1 form(r, r);
    for (auto [w, h] : {std::pair{19200.f, 15360.f}, {15.f, 15.f}, {0.f, 0.f}}) {
        r.log.clear();
        r.width = w;
        r.height = h;
        form.Form_Resize();
        EXPECT_EQ(r.log, (Log{"Width " + std::to_string(int(w)), "Height " + std::to_string(int(h))}));
    }
}

TEST(Form1, OnlyEscapeEndsTheProcessAndTheKeyIsLeftAlone)
{
    struct KeyCase { std::int16_t key; bool ends; };
    for (KeyCase c : {KeyCase{27, true}, {13, false}, {32, false}, {'a', false}, {'Q', false}, {0, false}, {-27, false}}) {
        Recorder r;
        Form1 form(r, r);
        std::int16_t key = c.key;
        form.Form_KeyPress(key);
        EXPECT_EQ(r.log, c.ends ? Log{"EndProcessNow"} : Log{}) << "key " << c.key;
        EXPECT_EQ(key, c.key) << "the key code must not be changed";
    }
}

TEST(Form1, StateZeroPlaysEveryTimeOtherStatesDoNothing)
{
    Recorder r;
    Form1 form(r, r);
    for (std::int32_t state : {0, 1, -1, 0, 2, INT32_MIN, 0})
        form.RealAudio1_StateChange(state);
    EXPECT_EQ(r.log, (Log{"Invoke 257", "Invoke 257", "Invoke 257"}));
    for (const auto& args : r.arguments)
        EXPECT_TRUE(args.empty()) << "257 takes no arguments";
}

TEST(Form1, AFailingControlCallIsReportedAndNothingFollowsIt)
{
    Recorder r;
    r.failingDispId = kDispIdAutoStart;
    Form1 form(r, r);
    gMediaPath = u"C:\\a.rm";
    form.Form_Load();
    EXPECT_EQ(r.log, (Log{"Width 4800", "Height 3600", "Invoke 277", "Report 2147614723"}));
}

} // namespace
