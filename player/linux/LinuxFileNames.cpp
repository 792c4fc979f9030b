#include "LinuxFileNames.h"

#include <sys/stat.h>

namespace {

constexpr char32_t kEscapedByteBase = 0xDC00;  // only bytes 0x80 to 0xFF are ever escaped

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The length of the well-formed UTF-8 sequence that bytes starts with, and its code point;
// 0 when it starts with none.
std::size_t Utf8Sequence(std::string_view bytes, char32_t& codePoint)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, least = 0x80, codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, least = 0x800, codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, least = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (next & 0x3F);
    }
    // Overlong forms, encoded surrogates and code points past Unicode's end are not well-formed.
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
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

} // namespace

Text TextFromFileName(std::string_view bytes)
{
    Text text;
    while (!bytes.empty()) {
        char32_t c = 0;
        std::size_t used = Utf8Sequence(bytes, c);
        if (used == 0) {
            used = 1;
            c = kEscapedByteBase + static_cast<unsigned char>(bytes[0]);
        }
        if (c >= 0x10000) {
            text.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            c = 0xDC00 + ((c - 0x10000) & 0x3FF);
        }
        text.push_back(static_cast<char16_t>(c));
        bytes.remove_prefix(used);
    }
    return text;
}

std::string FileNameFromText(TextView text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= kEscapedByteBase + 0x80 && c <= kEscapedByteBase + 0xFF) {
            bytes.push_back(static_cast<char>(c - kEscapedByteBase));
            continue;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = 0xFFFD;
        }
        AppendUtf8(bytes, c);
    }
    return bytes;
}

bool LinuxFileNames::QuotedNameExists(TextView path) const
{
    const std::string name = FileNameFromText(path);
    struct stat status;
    // A NUL would end the name early and look up another file.
    return name.find('\0') == std::string::npos && ::stat(name.c_str(), &status) == 0;
}
