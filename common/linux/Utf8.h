#pragma once
// UTF-8, the encoding of text on Linux (the locale's, as Qt 6 takes every Unix locale to be,
// file names, the desktop's files), against the core's UTF-16 Text: both Linux programs
// convert the core's text through these alone (Qt's own strings meet UTF-8 only at Qt's
// API). A conversion never stops at ill-formed input: what stands for it is the caller's
// choice, U+FFFD unless said otherwise.
#include "Text.h"

#include <string>
#include <string_view>

// Bytes that begin no well-formed sequence, at most as many as one character could take
// (so "\xE3\x81" cut short is one part), and what the text gets for them.
using IllFormedBytes = void (*)(std::string_view part, Text& text);
// A surrogate without its partner, and the bytes that stand for it.
using LoneSurrogate = void (*)(char16_t unit, std::string& bytes);

void ReplaceIllFormedBytes(std::string_view part, Text& text);
void ReplaceLoneSurrogate(char16_t unit, std::string& bytes);

Text TextOfUtf8(std::string_view bytes, IllFormedBytes standIn = ReplaceIllFormedBytes);
std::string Utf8Of(TextView text, LoneSurrogate standIn = ReplaceLoneSurrogate);

// Whether the text converts without a stand-in, so back again to itself.
bool IsWellFormed(TextView text);
