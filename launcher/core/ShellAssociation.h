#pragma once
// How the shell finds the program for a file: the class named by the default value of
// the extension's key under HKCR, then that class's shell\open\command default value.
#include "RegM.h"
#include "Text.h"

#include <optional>

// The last dot of the file name and what follows it; empty when the name has no dot.
Text ExtensionOf(TextView path);

// Nothing unless both values are present, non-empty strings, and for an extension
// that is empty or holds a backslash.
std::optional<Text> OpenCommandFor(TextView extension, ScriptShellFactory& registry);
