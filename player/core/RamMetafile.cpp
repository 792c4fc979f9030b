#include "RamMetafile.h"

#include "Text.h"

#include <algorithm>

namespace {

using Kind = ClipLocation::Kind;

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower<char>);
    return lower;
}

bool IsAlpha(char c)
{
    return AsciiLower(c) >= 'a' && AsciiLower(c) <= 'z';
}

// The length of the scheme that text starts with, followed by "://"; 0 when it has none.
std::size_t SchemeLength(std::string_view text)
{
    if (text.empty() || !IsAlpha(text[0]))
        return 0;
    std::size_t at = 1;
    while (at < text.size() && (IsAlpha(text[at]) || (text[at] >= '0' && text[at] <= '9') ||
                                text[at] == '+' || text[at] == '-' || text[at] == '.'))
        ++at;
    return text.substr(at).starts_with("://") ? at : 0;
}

std::string_view Trimmed(std::string_view line)
{
    constexpr std::string_view kBlanks = " \t\v\f";
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = AsciiLower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string PercentDecoded(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low < 0) {
            decoded.push_back(text[i]);
            continue;
        }
        decoded.push_back(static_cast<char>(high << 4 | low));
        i += 2;
    }
    return decoded;
}

// file:///path and file://localhost/path name a file here; another host's do not.
ClipLocation FileUrlLocation(std::string_view url, std::string_view afterScheme)
{
    const std::size_t slash = afterScheme.find('/');
    const std::string host = LowerCase(afterScheme.substr(0, slash));
    if (slash == std::string_view::npos || !(host.empty() || host == "localhost"))
        return {Kind::Unsupported, std::string(url)};
    return {Kind::Path, PercentDecoded(afterScheme.substr(slash))};
}

ClipLocation LocationOfLine(std::string_view line, std::string_view folder)
{
    const std::size_t schemeLength = SchemeLength(line);
    if (schemeLength == 0) {
        if (line.empty() || line.front() == '/' || folder.empty())
            return {Kind::Path, std::string(line)};
        std::string path(folder);
        if (!path.ends_with('/'))
            path.push_back('/');
        return {Kind::Path, path.append(line)};
    }
    // The query and the fragment tell the player where to start and the like: not where.
    line = line.substr(0, line.find_first_of("?#"));
    const std::string scheme = LowerCase(line.substr(0, schemeLength));
    const std::string_view afterScheme = line.substr(schemeLength + 3);
    if (scheme == "file")
        return FileUrlLocation(line, afterScheme);
    // The engine finds protocols by their lower-case names.
    const std::string url = scheme + std::string(line.substr(schemeLength));
    return {KindOfLocation(url), url};
}

} // namespace

ClipLocation LocationOf(std::string_view text, std::string_view folder)
{
    ClipLocation location = LocationOfLine(text, folder);
    // A NUL would end the location early in the engine: it would open another one.
    if (location.text.find('\0') != std::string::npos)
        return {Kind::Unsupported, std::string(text)};
    return location;
}

bool IsRamMetafile(std::string_view source)
{
    return source.size() > 4 && LowerCase(source.substr(source.size() - 4)) == ".ram";
}

ClipLocation::Kind KindOfLocation(std::string_view location)
{
    const std::size_t schemeLength = SchemeLength(location);
    if (schemeLength == 0)
        return Kind::Path;
    const std::string scheme = LowerCase(location.substr(0, schemeLength));
    return scheme == "http" || scheme == "https" || scheme == "rtsp" ? Kind::Url : Kind::Unsupported;
}

std::vector<ClipLocation> ReadRamMetafile(std::string_view contents, std::string_view folder)
{
    // A byte-order mark, as some editors write one.
    if (contents.starts_with("\xEF\xBB\xBF"))
        contents.remove_prefix(3);
    std::vector<ClipLocation> locations;
    while (!contents.empty()) {
        const std::size_t end = contents.find_first_of("\r\n");
        const std::string_view line = Trimmed(contents.substr(0, end));
        contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line == "--stop--")
            break;
        locations.push_back(LocationOf(line, folder));
    }
    return locations;
}
