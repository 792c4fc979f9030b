#include "CommandLine.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One argument after the program name, from command[at] on; leaves `at` past it.
std::string NextArgument(std::string_view command, std::size_t& at)
{
    std::string argument;
    std::size_t backslashes = 0;
    int quotes = 0;  // 0 outside a quoted part, 1 inside, 2 just after a closing quote
    while (at < command.size() && !(IsBlank(command[at]) && quotes == 0)) {
        const char c = command[at++];
        if (c != '"') {
            argument.push_back(c);
            backslashes = c == '\\' ? backslashes + 1 : 0;
            continue;
        }
        argument.resize(argument.size() - (backslashes + 1) / 2);
        if (backslashes % 2 == 1)
            argument.push_back('"');
        else
            ++quotes;
        backslashes = 0;
        for (; at < command.size() && command[at] == '"'; ++at) {
            if (++quotes == 3) {
                argument.push_back('"');
                quotes = 0;
            }
        }
        if (quotes == 2)
            quotes = 0;
    }
    return argument;
}

void SkipBlanks(std::string_view command, std::size_t& at)
{
    while (at < command.size() && IsBlank(command[at]))
        ++at;
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view command)
{
    std::vector<std::string> arguments;
    if (command.empty())
        return arguments;
    std::size_t at = 0;
    if (command[0] == '"') {
        const auto close = command.find('"', 1);
        arguments.emplace_back(command.substr(1, close == std::string_view::npos ? close : close - 1));
        at = close == std::string_view::npos ? command.size() : close + 1;
    } else {
        while (at < command.size() && !IsBlank(command[at]))
            ++at;
        arguments.emplace_back(command.substr(0, at));
    }
    for (SkipBlanks(command, at); at < command.size(); SkipBlanks(command, at))
        arguments.push_back(NextArgument(command, at));
    return arguments;
}

std::vector<std::string> SubstituteFile(std::vector<std::string> arguments, std::string_view file)
{
    constexpr std::string_view placeholder = "%1";
    for (std::string& argument : arguments) {
        for (auto at = argument.find(placeholder); at != std::string::npos;
             at = argument.find(placeholder, at + file.size()))
            argument.replace(at, placeholder.size(), file);
    }
    return arguments;
}
