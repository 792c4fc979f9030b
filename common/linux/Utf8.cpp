#include "Utf8.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

struct Utf8Sequence {
    std::size_t length;  // of the sequence, or of the ill-formed part when not wellFormed
    bool wellFormed;
    char32_t codePoint;
};

// The sequence that bytes (not empty) starts with. The allowed range of the second byte
// excludes overlong forms, encoded surrogates and code points past U+10FFFF.
Utf8Sequence FirstSequence(std::string_view bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80)
        return {1, true, lead};
    struct Form { unsigned char first, last; std::size_t length; unsigned char low, high; };
    static constexpr Form kForms[] = {
        {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
        {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
        {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
    };
    for (const Form& form : kForms) {
        if (lead < form.first || lead > form.last)
            continue;
        char32_t codePoint = lead & (0x7F >> form.length);
        for (std::size_t i = 1; i < form.length; ++i) {
            // Past the end reads as 0, which no range allows.
            const auto next = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
            if (next < (i == 1 ? form.low : 0x80) || next > (i == 1 ? form.high : 0xBF))
                return {i, false, 0};
            codePoint = codePoint << 6 | (next & 0x3F);
        }
        return {form.length, true, codePoint};
    }
    return {1, false, 0};
}

void AppendUtf8(std::string& bytes, char32_t c)
{
    if (c < 0x80) {
        bytes.push_back(static_cast<char>(c));
        return;
    }
    const int continuations = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static constexpr unsigned char kLeads[] = {0, 0xC0, 0xE0, 0xF0};
    bytes.push_back(static_cast<char>(kLeads[continuations] | c >> (6 * continuations)));
    for (int i = continuations - 1; i >= 0; --i)
        bytes.push_back(static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F)));
}

// Each code point of the text, surrogate pairs joined; a surrogate without its partner apart.
template <typename CodePoint, typename Lone>
void EachCodePoint(TextView text, CodePoint codePoint, Lone lone)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            codePoint(0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00));
        else if (IsHighSurrogate(unit) || IsLowSurrogate(unit))
            lone(text[i]);
        else
            codePoint(unit);
    }
}

} // namespace

void ReplaceIllFormedBytes(std::string_view, Text& text)
{
    text.push_back(kReplacement);
}

void ReplaceLoneSurrogate(char16_t, std::string& bytes)
{
    AppendUtf8(bytes, kReplacement);
}

Text TextOfUtf8(std::string_view bytes, IllFormedBytes standIn)
{
    Text text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const Utf8Sequence sequence = FirstSequence(bytes);
        if (!sequence.wellFormed) {
            standIn(bytes.substr(0, sequence.length), text);
        } else if (sequence.codePoint >= 0x10000) {
            text.push_back(static_cast<char16_t>(0xD800 + ((sequence.codePoint - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((sequence.codePoint - 0x10000) & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(sequence.codePoint));
        }
        bytes.remove_prefix(sequence.length);
    }
    return text;
}

std::string Utf8Of(TextView text, LoneSurrogate standIn)
{
    std::string bytes;
    bytes.reserve(text.size());
    EachCodePoint(text, [&](char32_t c) { AppendUtf8(bytes, c); }, [&](char16_t unit) { standIn(unit, bytes); });
    return bytes;
}

bool IsWellFormed(TextView text)
{
    bool wellFormed = true;
    EachCodePoint(text, [](char32_t) {}, [&](char16_t) { wellFormed = false; });
    return wellFormed;
}
