#include "ArgumentText.h"

#include "LinuxFileNames.h"
#include "Version.h"

#include <string_view>

Text JoinArguments(std::span<const char* const> argumentsAfterProgram)
{
    Text text;
    for (std::size_t i = 0; i < argumentsAfterProgram.size(); ++i) {
        if (i > 0)
            text.push_back(u' ');
        text += TextFromFileName(argumentsAfterProgram[i]);
    }
    return text;
}

std::optional<std::string> SwitchReply(std::span<const char* const> argumentsAfterProgram)
{
    if (argumentsAfterProgram.size() != 1)
        return std::nullopt;
    const std::string_view argument = argumentsAfterProgram[0];
    if (argument == "--version")
        return "Pexalo " PEXALO_VERSION_TEXT "\n";
    if (argument == "--help")
        return "Usage: Pexalo [FILE]\n"
               "Plays a RealMedia clip (.rm), or the clips that a metafile (.ram) lists, in one\n"
               "window, again and again; asks for a file when none is given. Escape ends it.\n"
               "  --help     show this help and end\n"
               "  --version  show the version and end\n";
    return std::nullopt;
}
