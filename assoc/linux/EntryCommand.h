#pragma once
// The open command, Windows-style, in our entry's Exec line and in the backup key beside it.
// The Exec line names a player whose path would need quoting through our link to it (see
// PlayerLink.h); read back, the command names the player again.
#include <optional>
#include <string>

// Nothing when the key is missing or holds no command of Windows-style form.
std::optional<std::string> ReadEntryCommand(const char* key);
// Into Exec; false, with the reason said, for a command with no Exec form or a player
// that is not there. The empty text removes the line and our link.
bool WriteExecCommand(const std::string& command);
// Into a backup key, as the command stands: a backup starts nothing.
bool WriteCommandKey(const char* key, const std::string& command);
