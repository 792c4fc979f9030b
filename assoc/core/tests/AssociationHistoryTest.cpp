#include "AssociationHistory.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Steps = std::vector<HistoryStep>;
constexpr std::size_t kFoo = 0, kNoClass = 2, kRmfile = 3, kRMFile = 4, kNone = 2, kA = 0, kAInOtherLetters = 1,
                      kB = 2, kEarlier = 3;
constexpr HistoryStep Install(std::size_t folder) { return {HistoryStep::OK, folder, true}; }
constexpr HistoryStep Undo(std::size_t folder) { return {HistoryStep::Apply, folder, false}; }
constexpr HistoryStep Foreign(HistoryStep::Kind kind, std::size_t value) { return {kind, value}; }

// The shortest histories that lost another program's association before.
TEST(AssociationHistory, KeepsWhatWasThereBefore)
{
    const struct {
        const char* fault;
        Steps steps;
    } cases[] = {
        {"a second folder's install backed up our own class",
         {Foreign(HistoryStep::ForeignClass, kFoo), Install(kA), Install(kB), Undo(kB)}},
        {"the same folder in other letters counted as another",
         {Foreign(HistoryStep::ForeignClass, kFoo), Install(kA), Install(kAInOtherLetters), Undo(kA)}},
        {"an earlier Ordinel's backup was lost to an install from another folder",
         {Foreign(HistoryStep::ForeignClass, kFoo), {HistoryStep::EarlierOrdinel, kEarlier}, Install(kA), Undo(kA)}},
        {"undo could not take away a command that had been none",
         {Foreign(HistoryStep::ForeignClass, kRMFile), Foreign(HistoryStep::ForeignName, kFoo), Install(kA), Undo(kA)}},
        {"a command kept for an earlier install came back",
         {Foreign(HistoryStep::ForeignClass, kRmfile), Foreign(HistoryStep::ForeignCommand, kFoo), Install(kA), Undo(kA),
          Foreign(HistoryStep::ForeignCommand, kNone), Install(kA), Undo(kA)}},
        {"a name set while ours stood was lost to the next install",
         {Foreign(HistoryStep::ForeignClass, kNoClass), Install(kA), Foreign(HistoryStep::ForeignName, kFoo), Install(kB),
          Undo(kB)}},
    };
    for (const HistoryPlatform& platform : kHistoryPlatforms)
        for (const auto& c : cases)
            EXPECT_EQ(AssociationHistory(platform).Run(c.steps), "") << c.fault;
}

// Random histories with a fixed seed, so that every run judges the same ones; the fuzzer
// explores further.
TEST(AssociationHistory, RandomHistoriesKeepEveryPromise)
{
    std::mt19937 random(20261207);
    for (const HistoryPlatform& platform : kHistoryPlatforms)
        for (int history = 0; history < 2000; ++history) {
            Steps steps(1 + random() % 24);
            for (HistoryStep& step : steps)
                step = DrawHistoryStep([&](std::size_t n) { return random() % n; });
            const std::string broken = AssociationHistory(platform).Run(steps);
            ASSERT_EQ(broken, "") << "history " << history;
        }
}

} // namespace
