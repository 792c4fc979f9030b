#include "CommandLine.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

} // namespace

Text ArgumentText(const wchar_t* commandLine)
{
    const wchar_t* p = commandLine;
    // A quoted program name runs to the closing quote and may hold blanks, as the
    // C runtime reads it; an unquoted one ends at the first blank.
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"')
            ++p;
        if (*p == L'"')
            ++p;
    } else {
        while (*p && !IsBlank(*p))
            ++p;
    }
    while (IsBlank(*p))
        ++p;
    return Text(reinterpret_cast<const char16_t*>(p));
}
