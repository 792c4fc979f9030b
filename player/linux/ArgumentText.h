#pragma once
// The command line's argument text on Linux: the process's arguments after the program's
// name, as file-name bytes held without loss, joined with one blank (as a path with blanks
// arrives split when it was not quoted).
#include "Text.h"

#include <span>

Text JoinArguments(std::span<const char* const> argumentsAfterProgram);
