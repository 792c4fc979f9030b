#pragma once
// The argument text of a Windows command line.
#include "Text.h"

// Everything after the program's own name (quoted or not) and the blanks that follow it.
Text ArgumentText(const wchar_t* commandLine);
