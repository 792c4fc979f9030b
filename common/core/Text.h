#pragma once
// Text is UTF-16 inside both programs, as on Windows; platforms convert at their edges.
#include <algorithm>
#include <string>
#include <string_view>

using Text = std::u16string;
using TextView = std::u16string_view;

// Every occurrence, wherever it stands, compared exactly.
Text RemoveAll(TextView text, char16_t removed);
Text ReplaceAll(TextView text, char16_t from, char16_t to);

// The names that compare without regard to letter case (registry keys, URL schemes, file
// extensions) are ASCII: only its letters are folded, every other unit stays as it is.
template <typename Unit>
constexpr Unit AsciiLower(Unit c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<Unit>(c - 'A' + 'a') : c;
}
bool EqualIgnoringAsciiCase(TextView a, TextView b);

// The shell hands paths in double quotes; both the start-up and the window strip them.
inline Text RemoveDoubleQuotes(TextView text) { return RemoveAll(text, u'"'); }
