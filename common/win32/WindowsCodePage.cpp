#include "WindowsCodePage.h"

#include <windows.h>

// Explicit lengths everywhere, so embedded NULs and buffer sizes survive the trip.
std::string WindowsCodePage::ToAnsi(TextView text) const
{
    if (text.empty())
        return {};
    auto wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), bytes, nullptr, nullptr);
    return out;
}

Text WindowsCodePage::FromAnsi(std::string_view bytes) const
{
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    Text out(static_cast<std::size_t>(chars), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data()), chars);
    return out;
}
