#pragma once
// The resident memory of a process ("self" or a process id) in KiB, as /proc tells it;
// -1 when it cannot be read.
#include <cstdlib>
#include <fstream>
#include <string>

inline long ResidentKilobytes(const std::string& process = "self")
{
    std::ifstream status("/proc/" + process + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}
