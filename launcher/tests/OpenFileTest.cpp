// pexalo-open as the shell's part: files reach the registered program as exactly one
// argument whatever their names hold, and a missing association is reported.
#include "StoreScriptShell.h"
#include "TempStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Arguments = std::vector<std::string>;

struct Outcome { int status = -1; std::string errors; };

class OpenFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path media = folder.Path() / "media";
    std::filesystem::path record = folder.Path() / "record";
    std::unique_ptr<RegistryStore> store =
        RegistryStore::Open(folder.Path() / "config" / "pexalo" / "registry.sqlite3");
    StoreScriptShellFactory registry{store.get()};

    void SetUp() override { std::filesystem::create_directories(media); }

    void Associate(const Text& extension, const std::string& command)
    {
        ASSERT_TRUE(registry.CreateScriptShell()->RegWrite(u"HKCR\\" + extension + u"\\",
                                                           Variant::String(u"testfile"), u"REG_SZ"));
        ASSERT_TRUE(registry.CreateScriptShell()->RegWrite(u"HKCR\\testfile\\shell\\open\\command\\",
                                                           Variant::String(Text(command.begin(), command.end())),
                                                           u"REG_SZ"));
    }

    // Runs the launcher in the media folder with the test's store; collects its stderr.
    Outcome Launch(Arguments arguments)
    {
        arguments.insert(arguments.begin(), LAUNCHER);
        const auto errors = folder.Path() / "errors";
        const pid_t pid = fork();
        if (pid == 0) {
            std::vector<char*> pointers;
            for (auto& argument : arguments)
                pointers.push_back(argument.data());
            pointers.push_back(nullptr);
            const int errorFile = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (dup2(errorFile, STDERR_FILENO) == STDERR_FILENO && chdir(media.c_str()) == 0 &&
                setenv("XDG_CONFIG_HOME", (folder.Path() / "config").c_str(), 1) == 0 &&
                setenv("PEXALO_TEST_RECORD", record.c_str(), 1) == 0)
                execv(LAUNCHER, pointers.data());
            _exit(99);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Contents(errors)};
    }

    static std::string Contents(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    Arguments Recorded() const
    {
        const std::string bytes = Contents(record);
        Arguments arguments;
        for (std::size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
            arguments.push_back(bytes.substr(start, end - start));
        return arguments;
    }
};

TEST_F(OpenFileTest, EveryFileNameArrivesAsOneArgument)
{
    Associate(u".rm", std::string("\"") + RECORDER + "\" \"%1\"");
    const char* names[] = {
        "clip.rm",           "with  two blanks.rm", "quote\"d \"clip\".rm", "semi;colon; rm -rf x.rm",
        "$(touch pwned).rm", "`touch pwned`.rm",    "new\nline\n.rm",       "back\\slash\\\" x.rm",
        "%1 and %2.rm",      "-dash.rm",            "'single' *?.rm",       "\xff\xfe not UTF-8.rm",
        "ファイル.rm",
    };
    for (const std::string name : names) {
        SCOPED_TRACE(name);
        std::ofstream(media / name) << "x";
        std::filesystem::remove(record);
        const auto outcome = Launch({name});
        EXPECT_EQ(outcome.status, 0) << outcome.errors;
        EXPECT_EQ(Recorded(), (Arguments{RECORDER, (media / name).string()}));
    }
    EXPECT_FALSE(std::filesystem::exists(media / "pwned"));
}

TEST_F(OpenFileTest, PathsAreMadeFullAndCommandsKeepTheirOtherArguments)
{
    Associate(u".rm", std::string("\"") + RECORDER + "\" --play \"%1\" \"title=%1\" tail");
    struct Case { std::string given; std::string full; } const cases[] = {
        {"clip.rm", (media / "clip.rm").string()},
        {"./sub/../clip.rm", (media / "clip.rm").string()},
        {"/elsewhere/x.RM", "/elsewhere/x.RM"},  // existence is not checked; case of the type ignored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        std::filesystem::remove(record);
        EXPECT_EQ(Launch({c.given}).status, 0);
        EXPECT_EQ(Recorded(), (Arguments{RECORDER, "--play", c.full, "title=" + c.full, "tail"}));
    }
}

TEST_F(OpenFileTest, FailuresAreReportedWithAStatus)
{
    Associate(u".rm", "\"/nonexistent/Pexalo\" \"%1\"");
    struct Case { const char* fault; Arguments arguments; int status; const char* message; } const cases[] = {
        {"unknown type not reported", {"clip.xyz"}, 1, "no program is associated with files of type \".xyz\""},
        {"name without type not reported", {"README"}, 1, "no program is associated"},
        {"missing program not reported", {"clip.rm"}, 127, "cannot start /nonexistent/Pexalo"},
        {"missing file argument accepted", {}, 2, "usage: pexalo-open FILE"},
        {"second file argument accepted", {"a.rm", "b.rm"}, 2, "usage: pexalo-open FILE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const auto outcome = Launch(c.arguments);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_NE(outcome.errors.find(c.message), std::string::npos) << outcome.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(record));
}

} // namespace
