#include "LinuxFileNames.h"

#include "Utf8.h"

#include <sys/stat.h>

namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;  // only bytes 0x80 to 0xFF are ever escaped

void EscapeEachByte(std::string_view part, Text& text)
{
    for (const char byte : part)
        text.push_back(static_cast<char16_t>(kEscapedByteBase + static_cast<unsigned char>(byte)));
}

void EscapedByteOrReplacement(char16_t unit, std::string& bytes)
{
    if (unit >= kEscapedByteBase + 0x80 && unit <= kEscapedByteBase + 0xFF)
        bytes.push_back(static_cast<char>(unit - kEscapedByteBase));
    else
        ReplaceLoneSurrogate(unit, bytes);
}

} // namespace

Text TextFromFileName(std::string_view bytes)
{
    return TextOfUtf8(bytes, EscapeEachByte);
}

std::string FileNameFromText(TextView text)
{
    return Utf8Of(text, EscapedByteOrReplacement);
}

bool LinuxFileNames::QuotedNameExists(TextView path) const
{
    const std::string name = FileNameFromText(path);
    struct stat status;
    // A NUL would end the name early and look up another file.
    return name.find('\0') == std::string::npos && ::stat(name.c_str(), &status) == 0;
}
