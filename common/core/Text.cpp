#include "Text.h"

bool EqualIgnoringAsciiCase(TextView a, TextView b)
{
    return std::ranges::equal(a, b, {}, AsciiLower<char16_t>, AsciiLower<char16_t>);
}

Text RemoveAll(TextView text, char16_t removed)
{
    Text result;
    result.reserve(text.size());
    for (char16_t c : text)
        if (c != removed)
            result.push_back(c);
    return result;
}

Text ReplaceAll(TextView text, char16_t from, char16_t to)
{
    Text result(text);
    for (char16_t& c : result)
        if (c == from)
            c = to;
    return result;
}
