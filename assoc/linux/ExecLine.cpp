#include "ExecLine.h"

#include "GLibOwners.h"

#include <utility>
#include <vector>

namespace {

// Characters that the Desktop Entry rules allow only inside double quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
// Characters that a backslash escapes inside double quotes.
constexpr std::string_view kEscapedInQuotes = "\"`$\\";
constexpr std::string_view kFile = "%1";

bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// Windows-style splitting as far as the core's commands need it: blanks outside double
// quotes separate arguments, each double quote opens or closes a quoted part.
std::optional<std::vector<std::string>> SplitCommand(std::string_view command)
{
    std::vector<std::string> arguments;
    std::string argument;
    bool inArgument = false, quoted = false;
    for (char c : command) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument)
                arguments.push_back(std::exchange(argument, {}));
            inArgument = false;
        } else {
            argument.push_back(c);
            inArgument = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments.push_back(argument);
    return arguments;
}

std::optional<std::string> ExecArgument(std::string_view argument)
{
    if (argument == kFile)
        return "%f";
    if (argument.find(kFile) != std::string_view::npos)
        return std::nullopt;
    // Quotes only where the rules ask for them: xdg-utils' own lookup reads an unquoted
    // program path, but not a quoted one.
    const bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
    std::string written = quote ? "\"" : "";
    for (char c : argument) {
        if (IsControl(c))
            return std::nullopt;
        if (quote && kEscapedInQuotes.find(c) != std::string_view::npos)
            written.push_back('\\');
        written.push_back(c);
        if (c == '%')
            written.push_back('%');
    }
    return quote ? written + '"' : written;
}

// A parsed Exec argument as the Windows-style command has it, without its quotes.
std::optional<std::string> CommandArgument(std::string_view argument)
{
    if (argument == "%f" || argument == "%F" || argument == "%u" || argument == "%U")
        return std::string(kFile);
    std::string literal;
    for (std::size_t at = 0; at < argument.size(); ++at) {
        if (argument[at] == '"')
            return std::nullopt;
        if (argument[at] == '%' && (++at == argument.size() || argument[at] != '%'))
            return std::nullopt;
        literal.push_back(argument[at]);
    }
    return literal;
}

} // namespace

std::optional<std::string> ExecFromCommand(std::string_view command, std::string_view program)
{
    const auto arguments = SplitCommand(command);
    if (!arguments || arguments->empty())
        return std::nullopt;
    std::string exec;
    for (const std::string& argument : *arguments) {
        const auto written = ExecArgument(exec.empty() && !program.empty() ? program : argument);
        if (!written)
            return std::nullopt;
        exec += (exec.empty() ? "" : " ") + *written;
    }
    return exec;
}

std::optional<std::string> CommandFromExec(std::string_view exec)
{
    // GLib's own parser, the one that launches the entry: field codes are plain words to it.
    gchar** parsed = nullptr;
    if (!g_shell_parse_argv(std::string(exec).c_str(), nullptr, &parsed, nullptr))
        return std::nullopt;
    const GStrvOwner arguments(parsed);
    std::string command;
    for (gchar** argument = parsed; *argument; ++argument) {
        const auto literal = CommandArgument(*argument);
        if (!literal)
            return std::nullopt;
        command += (command.empty() ? "\"" : " \"") + *literal + '"';
    }
    return command;
}

std::optional<std::string> CommandProgram(std::string_view command)
{
    const auto arguments = SplitCommand(command);
    return arguments && !arguments->empty() ? std::optional(arguments->front()) : std::nullopt;
}

bool ExecProgramQuoted(std::string_view exec)
{
    return exec.starts_with('"');
}
