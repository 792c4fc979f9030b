#pragma once
// How the Linux programs say what went wrong. Every report is one line on the standard
// error, "<program>: <text>", for whoever started the program from a terminal. What the user
// must see is also shown in a message box (ReportBox.h): a desktop user never sees the
// standard error.
#include <string_view>

struct ProgramReport {
    const char* program;
    // The text's line breaks become ": ", so that one report stays one line.
    void Say(std::string_view text) const;
};
