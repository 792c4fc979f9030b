#pragma once
// The open command as the core writes it, Windows-style (`"<folder>/Pexalo" "%1"`: the
// program and its arguments, each in double quotes, "%1" for the file), against the Exec
// value of a desktop entry (an argument holding a reserved character stands in double
// quotes with a backslash before " ` $ and \, %f outside quotes is the file, %% a percent
// sign). Both sides are UTF-8; the key file's own escapes are GKeyFile's matter.
#include <optional>
#include <string>
#include <string_view>

// Nothing when the command has no Exec form: an unbalanced quote, a control character,
// "%1" inside a longer argument, or no program at all. A `program` given stands in the
// place of the command's own.
std::optional<std::string> ExecFromCommand(std::string_view command, std::string_view program = {});
// The program that the command starts, without its quotes.
std::optional<std::string> CommandProgram(std::string_view command);
// True when the Exec line names its program in quotes, which xdg-utils cannot read.
bool ExecProgramQuoted(std::string_view exec);
// Nothing when GLib cannot parse the value or an argument has no Windows-style form: a
// double quote in it, or a field code other than a whole %f, %F, %u or %U.
std::optional<std::string> CommandFromExec(std::string_view exec);
