#pragma once
// The command line on Linux. The argument text is the process's arguments after the
// program's name, as file-name bytes held without loss, joined with one blank (as a path
// with blanks arrives split when it was not quoted).
#include "Text.h"

#include <optional>
#include <span>
#include <string>

Text JoinArguments(std::span<const char* const> argumentsAfterProgram);

// "--help" or "--version" alone on the command line is answered on standard output, without
// a window; any other text is a path, as on Windows.
std::optional<std::string> SwitchReply(std::span<const char* const> argumentsAfterProgram);
