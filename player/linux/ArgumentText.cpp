#include "ArgumentText.h"

#include "LinuxFileNames.h"

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
