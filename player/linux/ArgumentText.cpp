#include "ArgumentText.h"

#include "LocaleCodePage.h"

Text JoinArguments(std::span<const char* const> argumentsAfterProgram)
{
    const LocaleCodePage codePage;
    Text text;
    for (std::size_t i = 0; i < argumentsAfterProgram.size(); ++i) {
        if (i > 0)
            text.push_back(u' ');
        text += codePage.FromAnsi(argumentsAfterProgram[i]);
    }
    return text;
}
