#include "DoubleByteCodePage.h"

namespace {
constexpr unsigned char kLead = 0x83;
constexpr char16_t kKanaBase = 0x3000;
bool IsKana(char16_t c) { return c >= 0x3040 && c <= 0x30FF; }
} // namespace

std::string DoubleByteCodePage::ToAnsi(TextView text) const
{
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (IsKana(c)) {
            out.push_back(static_cast<char>(kLead));
            out.push_back(static_cast<char>(c - kKanaBase));
        } else {
            out.push_back('?');
        }
    }
    return out;
}

Text DoubleByteCodePage::FromAnsi(std::string_view bytes) const
{
    Text out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80)
            out.push_back(b);
        else if (b == kLead && i + 1 < bytes.size())
            out.push_back(static_cast<char16_t>(kKanaBase + static_cast<unsigned char>(bytes[++i])));
        else
            out.push_back(u'?');
    }
    return out;
}
