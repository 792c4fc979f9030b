// Several programs share one store file: writes from two processes at once must all
// arrive, and a process killed in the middle of writing must leave a sound file.
#include "StoreScriptShell.h"
#include "TempStore.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

namespace {

Text Number(int n) { const std::string digits = std::to_string(n); return {digits.begin(), digits.end()}; }

// Runs `body` in a child process with its own connection; gives the child's id.
template <typename Body> pid_t Spawn(const std::filesystem::path& file, Body body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        auto store = RegistryStore::Open(file);
        StoreScriptShellFactory factory(store.get());
        _exit(store && body(factory) ? 0 : 1);
    }
    return pid;
}

int ExitStatus(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(StoreProcesses, TwoWritersAtOnceLoseNothing)
{
    TempStore temp;
    constexpr int kWrites = 150;
    // Both create the same keys at the same moments, so key creation races as well.
    auto writer = [](int id) {
        return [id](StoreScriptShellFactory& factory) {
            for (int i = 0; i < kWrites; ++i) {
                const Text path = u"HKCU\\Shared\\k" + Number(i) + u"\\w" + Number(id);
                if (!factory.CreateScriptShell()->RegWrite(path, Variant::I4(i), u"REG_DWORD"))
                    return false;
            }
            return true;
        };
    };
    const pid_t first = Spawn(temp.file, writer(1));
    const pid_t second = Spawn(temp.file, writer(2));
    EXPECT_EQ(ExitStatus(first), 0);
    EXPECT_EQ(ExitStatus(second), 0);

    StoreScriptShellFactory factory(temp.store.get());
    for (int i = 0; i < kWrites; ++i)
        for (int id : {1, 2})
            EXPECT_EQ(factory.CreateScriptShell()->RegRead(u"HKCU\\Shared\\k" + Number(i) + u"\\w" + Number(id)),
                      Variant::I4(i));
    EXPECT_EQ(QueryFile(temp.file, "SELECT count(*) FROM keys"), std::to_string(2 + kWrites));
}

// Starts a child that writes HKCU\Crash\k<i>\sub\v = i from `first` on, two new keys
// and a value per write, lets it report `count` finished writes, then kills it after
// `delay` microseconds. Gives the last write the child reported.
int KillWhileWriting(const std::filesystem::path& file, int first, int count, useconds_t delay)
{
    int reports[2];
    if (pipe(reports) != 0)
        return -1;
    const pid_t child = Spawn(file, [&](StoreScriptShellFactory& factory) {
        close(reports[0]);
        for (int i = first;; ++i) {
            const Text path = u"HKCU\\Crash\\k" + Number(i) + u"\\sub\\v";
            if (!factory.CreateScriptShell()->RegWrite(path, Variant::String(Number(i)), u"REG_SZ"))
                return false;
            if (write(reports[1], &i, sizeof i) != sizeof i)
                return false;
        }
    });
    close(reports[1]);
    int done = -1;
    for (int i; done < first + count - 1 && read(reports[0], &i, sizeof i) == sizeof i;)
        done = i;
    usleep(delay);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(reports[0]);
    return done;
}

TEST(StoreProcesses, KillDuringWritesLeavesASoundStore)
{
    TempStore temp;
    constexpr int kRounds = 8, kStride = 1000, kWrites = 20;
    std::vector<int> done;
    // Kills land at different points of a write, one round after another.
    for (int round = 0; round < kRounds; ++round) {
        done.push_back(KillWhileWriting(temp.file, round * kStride, kWrites, round * 150));
        ASSERT_GE(done.back(), round * kStride + kWrites - 1);
    }

    EXPECT_EQ(QueryFile(temp.file, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(QueryFile(temp.file, "PRAGMA foreign_key_check"), "");
    EXPECT_EQ(QueryFile(temp.file, "SELECT count(*) FROM keys WHERE parent <> 0 AND parent NOT IN (SELECT id FROM keys)"),
              "0");
    // Every write happened whole (both keys and the value) or not at all.
    EXPECT_EQ(QueryFile(temp.file, "SELECT count(*) FROM keys k WHERE k.parent = (SELECT id FROM keys WHERE name = "
                                   "'Crash') AND NOT EXISTS (SELECT 1 FROM keys s JOIN key_values v ON v.key = s.id "
                                   "WHERE s.parent = k.id)"),
              "0");

    auto reopened = RegistryStore::Open(temp.file);
    ASSERT_NE(reopened, nullptr);
    StoreScriptShellFactory factory(reopened.get());
    for (int round = 0; round < kRounds; ++round)
        for (int i = round * kStride; i <= done[round]; ++i)
            EXPECT_EQ(factory.CreateScriptShell()->RegRead(u"HKCU\\Crash\\k" + Number(i) + u"\\sub\\v"),
                      Variant::String(Number(i)));
    EXPECT_TRUE(factory.CreateScriptShell()->RegWrite(u"HKCU\\Crash\\after", Variant::I4(1), u"REG_DWORD"));
}

} // namespace
