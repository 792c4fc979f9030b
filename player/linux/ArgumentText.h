#pragma once
// The command line's argument text on Linux: the process's arguments after the program's
// name, in the locale's encoding, joined with one blank (as the launcher splits them).
#include "Text.h"

#include <span>

Text JoinArguments(std::span<const char* const> argumentsAfterProgram);
