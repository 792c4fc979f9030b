// The open command against the Exec line, both ways, for folders a user may well have.
#include "ExecLine.h"

#include <gtest/gtest.h>

namespace {

std::string PlayerCommand(const std::string& folder)
{
    return "\"" + folder + "/Pexalo\" \"%1\"";
}

TEST(ExecLine, AwkwardFoldersSurviveBothWays)
{
    struct Case { const char* fault; const char* folder; const char* exec; } const cases[] = {
        {"quoted without need, which xdg-utils cannot read", "/opt/pexalo", "/opt/pexalo/Pexalo %f"},
        {"blank left bare", "/home/u/My Apps", "\"/home/u/My Apps/Pexalo\" %f"},
        {"$ or ` left to expand", "/opt/$HOME `id`", "\"/opt/\\$HOME \\`id\\`/Pexalo\" %f"},
        {"backslash taken as an escape", "/opt/a\\b\\", "\"/opt/a\\\\b\\\\/Pexalo\" %f"},
        {"percent sign taken for a field code", "/opt/100%", "/opt/100%%/Pexalo %f"},
        {"percent sign in quotes taken for a field code", "/opt/5% off", "\"/opt/5%% off/Pexalo\" %f"},
        {"shell characters left bare", "/opt/a;b&c|d(e)'f'<>", "\"/opt/a;b&c|d(e)'f'<>/Pexalo\" %f"},
        {"~ * ? # left bare", "/opt/~x*y?#z", "\"/opt/~x*y?#z/Pexalo\" %f"},
        {"non-ASCII name changed", "/opt/動画 プレーヤー=1", "\"/opt/動画 プレーヤー=1/Pexalo\" %f"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(ExecFromCommand(PlayerCommand(c.folder)), c.exec);
        EXPECT_EQ(CommandFromExec(c.exec), PlayerCommand(c.folder));
    }
}

TEST(ExecLine, RefusesWhatTheOtherSideCannotSay)
{
    for (const char* command : {"", "  ", "\"/opt/a/Pexalo\" \"%1", "\"/opt/a\nb/Pexalo\" \"%1\"",
                                "\"/opt/a\tb/Pexalo\" \"%1\"", "/opt/Pexalo \"--file=%1\""})
        EXPECT_EQ(ExecFromCommand(command), std::nullopt) << command;
    for (const char* exec : {"", "\"/opt/a/Pexalo %f", "/opt/Pexalo --file=%f", "/opt/Pexalo %i %f",
                             "\"/opt/a\\\"b/Pexalo\" %f", "/opt/Pexalo 100%"})
        EXPECT_EQ(CommandFromExec(exec), std::nullopt) << exec;
}

TEST(ExecLine, ReadsOtherFormsOfAHandler)
{
    struct Case { const char* exec; const char* command; } const cases[] = {
        {"/usr/bin/foo-player %U", "\"/usr/bin/foo-player\" \"%1\""},
        {"'/opt/my player/foo' --play %u", "\"/opt/my player/foo\" \"--play\" \"%1\""},
        {"/usr/bin/foo-player", "\"/usr/bin/foo-player\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandFromExec(c.exec), c.command) << c.exec;
}

} // namespace
