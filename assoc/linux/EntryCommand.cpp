#include "EntryCommand.h"

#include "ExecLine.h"
#include "FailureReport.h"
#include "OurEntry.h"
#include "PlayerLink.h"

namespace {

constexpr char kExecKey[] = "Exec";

void ReportNoExecForm(const std::string& command)
{
    ReportFailure("デスクトップ エントリーの Exec 行に書けないコマンドです: " + command);
}

// The command with the player that our link names in the link's place.
std::string ThroughLinks(std::string command)
{
    const auto program = CommandProgram(command);
    const auto target = program ? PlayerLinkTarget(*program) : std::nullopt;
    return target ? command.replace(1, program->size(), *target) : command;
}

} // namespace

std::optional<std::string> ReadEntryCommand(const char* key)
{
    const auto exec = ReadOurEntryKey(key);
    const auto command = exec ? CommandFromExec(*exec) : std::nullopt;
    return command ? std::optional(ThroughLinks(*command)) : std::nullopt;
}

bool WriteExecCommand(const std::string& command)
{
    if (command.empty())
        return WriteOurEntryKey(kExecKey, {}) && RemovePlayerLinks();
    const auto program = CommandProgram(command);
    auto exec = ExecFromCommand(command);
    if (!program || !exec) {
        ReportNoExecForm(command);
        return false;
    }
    if (!g_file_test(program->c_str(), G_FILE_TEST_IS_EXECUTABLE) || g_file_test(program->c_str(), G_FILE_TEST_IS_DIR)) {
        ReportFailure(*program + " がないか、実行できません");
        return false;
    }
    const bool linked = ExecProgramQuoted(*exec);
    if (linked) {
        if (!MakePlayerLink(*program))
            return false;
        exec = ExecFromCommand(command, PlayerLinkPath(*program));
    }
    // An Exec line that already starts this command stays as it is written (%U stays %U).
    const auto old = ReadOurEntryKey(kExecKey);
    if (!(old && ReadEntryCommand(kExecKey) == command && ExecProgramQuoted(*old) == ExecProgramQuoted(*exec)) &&
        !WriteOurEntryKey(kExecKey, *exec))
        return false;
    return linked || RemovePlayerLinks();
}

bool WriteCommandKey(const char* key, const std::string& command)
{
    const auto exec = command.empty() ? std::optional(command) : ExecFromCommand(command);
    if (!exec)
        ReportNoExecForm(command);
    return exec && WriteOurEntryKey(key, *exec);
}
