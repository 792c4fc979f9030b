#include "ClipList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

std::string Joined(const std::vector<ClipFailure>& failures)
{
    std::string text;
    for (const ClipFailure& failure : failures)
        text += failure.location + ": " + failure.why + "; ";
    return text;
}

struct Ports final : ClipListPorts {
    std::string WhyUnreadable(const ClipLocation& clip) override
    {
        return clip.text.starts_with("/gone") ? "No such file" : "";
    }
    void Skipped(const ClipFailure& failure) override { noted += Joined({failure}); }
    std::string noted;
};

// Plays `script`'s events, blank-separated, and answers, for each, the step (its clip when it
// opens one, "-" for nothing), then "/" and the state when one is reported.
std::string Answers(ClipList& list, const std::vector<ClipLocation>& clips, const std::string& script)
{
    static const char* const steps[] = {"-", "open", "show", "read", "pause", "resume", "rewind"};
    static const char* const states[] = {"Stopped", "Opening", "", "Playing", "Paused", "Failed"};
    std::istringstream events(script);
    std::string answers;
    for (std::string event; events >> event;) {
        const ClipList::Step step = event == "start"     ? list.Start("/s.ram", clips, "")
                                    : event == "nolist"  ? list.Start("/s.ram", clips, "lists no clip")
                                    : event == "refused" ? list.ClipFailed("refused")
                                    : event == "loaded"  ? list.ClipLoaded()
                                    : event == "end"     ? list.EndReached(true)
                                    : event == "back"    ? list.EndReached(false)
                                    : event == "play"    ? list.Play()
                                                         : ClipList::Step::Nothing;
        if (event == "started")
            list.ClipStarted();
        if (event == "warned")
            list.EngineWarned("403 Forbidden");
        if (event == "moved")
            list.TimeChanged(0.5);
        if (event == "paused" || event == "unpaused")
            list.PauseChanged(event == "paused");
        answers += answers.empty() ? "" : " ";
        answers += steps[static_cast<int>(step)];
        if (step == ClipList::Step::Open)
            answers += std::to_string(std::ranges::find(clips, list.Current()) - clips.begin());
        if (const auto state = list.Report())
            answers += std::string("/") + states[static_cast<int>(*state)];
    }
    return answers;
}

ClipLocation P(std::string path) { return {ClipLocation::Kind::Path, std::move(path)}; }

TEST(ClipList, EachSequenceOfEngineEventsGivesTheseStepsStatesAndFailures)
{
    const std::vector a{P("/a.rm")}, ab{P("/a.rm"), P("/b.rm")}, aGone{P("/a.rm"), P("/gone.rm")};
    const std::vector odd{P("/gone.rm"), ClipLocation{ClipLocation::Kind::Unsupported, "pnm://h/a.rm"},
                          ClipLocation{ClipLocation::Kind::Url, "http://h/b.rm"}, P("/c.rm")};
    const struct { const char* fault; const std::vector<ClipLocation>& clips; bool autoStart; const char* script;
                   const char* answers; const char* failures; } cases[] = {
        {"a clip at its end plays the list again instead of rewinding", a, true,
         "start started loaded moved end play back", "open0/Opening - resume/Playing - -/Stopped rewind -/Playing", ""},
        {"a list of two rewinds its last clip instead of playing again", ab, true,
         "start started loaded moved end started loaded moved end play",
         "open0/Opening - resume/Playing - open1/Opening - resume/Playing - -/Stopped open0/Opening", ""},
        {"an end while the next clip opens ends that one", ab, true, "start started loaded moved end end started",
         "open0/Opening - resume/Playing - open1/Opening - -", ""},
        {"a failure reported once the list has ended is taken for its last clip's", a, true,
         "start started loaded moved end refused", "open0/Opening - resume/Playing - -/Stopped -", ""},
        {"a clip that never moved counts as played, so the list loops as fast as it fails", a, true,
         "start started loaded end play", "open0/Opening - resume/Playing show/Failed read",
         "/a.rm: nothing in it could be played; "},
        {"a source that gives no list is opened anyway", a, true, "nolist play", "show/Failed read",
         "/s.ram: lists no clip; "},
        {"unreadable and unsupported clips reach the engine, a URL loses the engine's words, a state twice", odd,
         true, "start started warned refused started loaded moved end",
         "open2/Opening - - open3 - resume/Playing - -/Stopped",
         "/gone.rm: No such file; pnm://h/a.rm: not a location that Pexalo opens; "
         "http://h/b.rm: refused: 403 Forbidden; "},
        {"the failures of the last pass are shown with this one's", aGone, true,
         "start started loaded moved end play started loaded moved end",
         "open0/Opening - resume/Playing - -/Stopped open0/Opening - resume/Playing - -/Stopped",
         "/gone.rm: No such file; "},
        {"a clip plays without AutoStart, or Paused is reported as Playing", a, false,
         "start started loaded paused play unpaused", "open0/Opening - pause/Playing -/Paused resume -/Playing", ""},
    };
    for (const auto& c : cases) {
        Ports ports;
        ClipList list(ports);
        list.SetAutoStart(c.autoStart);
        EXPECT_EQ(Answers(list, c.clips, c.script), c.answers) << c.fault;
        EXPECT_EQ(Joined(list.Failures()), c.failures) << c.fault;
        EXPECT_TRUE(ports.noted.ends_with(c.failures)) << c.fault << ": every failure is shown as it happens";
        EXPECT_EQ(list.AnyFailed(), !ports.noted.empty()) << c.fault;
    }
}

} // namespace
