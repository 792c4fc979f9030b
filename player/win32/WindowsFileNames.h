#pragma once
// A Windows file name never holds a double quote: every quote on a command line is the
// shell's, and no file is looked up to decide so.
#include "FileNames.h"

struct WindowsFileNames final : FileNameRule {
    bool QuotedNameExists(TextView) const override { return false; }
};
