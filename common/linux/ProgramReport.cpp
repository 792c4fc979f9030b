#include "ProgramReport.h"

#include <cstdio>
#include <string>

void ProgramReport::Say(std::string_view text) const
{
    std::string line = std::string(program) + ": ";
    for (const char c : text) {
        if (c == '\n')
            line.append(": ");
        else
            line.push_back(c);
    }
    line.push_back('\n');
    // One write, so that reports from two threads never interleave.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}
