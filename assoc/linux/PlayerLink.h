#pragma once
// A symbolic link of Ordinel's own to a player whose path an Exec line could name only in
// quotes: xdg-utils splits Exec lines at every blank and reads them with the shell, so a
// path with a blank or a dollar sign starts nothing there. The link's path has neither.
#include <optional>
#include <string>

// Where the link to `program` would be: its file name in a folder of Ordinel's own.
std::string PlayerLinkPath(const std::string& program);
// Points the link at `program`; false, with the reason said, when something else is there.
bool MakePlayerLink(const std::string& program);
// What the link at `path` points to; nothing for any path that is not our link.
std::optional<std::string> PlayerLinkTarget(const std::string& path);
// Removes the link and its folder, once empty; a link that is not there is gone already.
bool RemovePlayerLinks();
