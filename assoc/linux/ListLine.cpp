#include "ListLine.h"

#include <string_view>
#include <vector>

namespace {

std::string_view Trimmed(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    return line;
}

bool IsKeyLine(std::string_view line, std::string_view key)
{
    const std::string_view trimmed = Trimmed(line);
    const auto equals = trimmed.find('=');
    return !trimmed.starts_with('#') && equals != std::string_view::npos && Trimmed(trimmed.substr(0, equals)) == key;
}

// The text's lines, each with its line end.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, next - at));
        at = next;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

} // namespace

std::string WithListLine(const std::string& text, const std::string& group, const std::string& key,
                         const std::optional<std::string>& value)
{
    std::vector<std::string> lines = Lines(text);
    const std::string header = "[" + group + "]";
    const std::string line = value ? key + "=" + *value + "\n" : std::string();
    std::optional<std::size_t> lastInGroup;
    bool inGroup = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view trimmed = Trimmed(lines[i]);
        if (trimmed.starts_with('[')) {
            inGroup = trimmed == header;
            if (inGroup)
                lastInGroup = i;
        } else if (inGroup && IsKeyLine(lines[i], key)) {
            // The line ends as the old one did: a last line without a line end was added after
            // the line end of the one before it, which goes with it.
            const bool ended = lines[i].ends_with('\n');
            lines[i] = ended || line.empty() ? line : line.substr(0, line.size() - 1);
            if (!ended && line.empty() && i > 0)
                lines[i - 1].pop_back();
            return Joined(lines);
        } else if (inGroup && !trimmed.empty()) {
            lastInGroup = i;
        }
    }
    if (!value)
        return text;
    std::string before = text, after;
    if (lastInGroup) {
        before.clear();
        for (std::size_t i = 0; i < lines.size(); ++i)
            (i <= *lastInGroup ? before : after) += lines[i];
    } else {
        // A new group, after a blank line as GKeyFile writes one.
        if (!before.empty())
            before += before.ends_with('\n') ? "\n" : "\n\n";
        before += header;
        before += '\n';
    }
    if (!before.empty() && !before.ends_with('\n'))
        return before + "\n" + line.substr(0, line.size() - 1) + after;
    return before + line + after;
}

std::string WithoutEmptyGroup(const std::string& text, const std::string& group)
{
    std::vector<std::string> lines = Lines(text);
    std::size_t header = 0;
    while (header < lines.size() && Trimmed(lines[header]) != "[" + group + "]")
        ++header;
    std::size_t end = header + 1;
    for (; end < lines.size() && !Trimmed(lines[end]).starts_with('['); ++end)
        if (!Trimmed(lines[end]).empty())
            return text;
    if (header == lines.size())
        return text;
    const std::size_t begin = header > 0 && Trimmed(lines[header - 1]).empty() ? header - 1 : header;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(begin), lines.begin() + static_cast<std::ptrdiff_t>(header + 1));
    return Joined(lines);
}
