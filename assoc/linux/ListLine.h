#pragma once
// One line of a key file's text set, added or removed, and every other byte left as it
// was: GKeyFile writes a whole file anew in its own layout (blanks around "=", comments
// above groups), which would change lines of the user's that we have no business with.
// The text must be one that GKeyFile reads.
#include <optional>
#include <string>

// `key=value` in `group`: the key's first line replaced, or a new line after the group's
// last line that is not blank, or a new group at the end; nothing removes the line.
std::string WithListLine(const std::string& text, const std::string& group, const std::string& key,
                         const std::optional<std::string>& value);
// Without the group's header where the group holds nothing but blank lines, and without the
// blank line before it that WithListLine put there for a new group.
std::string WithoutEmptyGroup(const std::string& text, const std::string& group);
