#pragma once
// Shells wrap a path in double quotes. Where a file name can never hold one (Windows), every
// quote is the shell's; where it can (Linux), a name that holds quotes must reach the control
// whole, or a neighbour without them may be played instead.
#include "Text.h"

struct FileNameRule {
    // Whether a file of exactly this name, quotes and all, exists. Where names never hold a
    // double quote the answer is no, and nothing is looked up.
    virtual bool QuotedNameExists(TextView path) const = 0;

protected:
    ~FileNameRule() = default;
};

// The path that a text names: the text itself, or the text without one pair of wrapping
// quotes, when that is the name of a file holding quotes; otherwise the text without any
// double quote. A text without quotes is never looked up.
Text MediaPathFrom(TextView text, const FileNameRule& names);
