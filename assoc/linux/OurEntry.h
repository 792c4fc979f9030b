#pragma once
// Our own desktop entry, the class rmfile, in the user's applications folder. A file there
// that carries none of our keys was written by someone else (the user, another program):
// it is read but never rewritten or removed.
#include "GLibOwners.h"

#include <functional>
#include <optional>
#include <string>

// Apart from the package's pexalo.desktop and ordinel.desktop.
inline constexpr char kHandlerId[] = "ordinel-rmfile.desktop";
// The folder of the links to players that our entry's Exec line names.
inline constexpr char kHandlerFolder[] = "ordinel-rmfile";
inline constexpr char kRealMediaType[] = "application/vnd.rn-realmedia";

std::string OurEntryPath();
// The entry as it is now; empty when it is missing or cannot be read.
GKeyFileOwner ReadOurEntry();
// A key of the entry's main group, unescaped; nothing when it is missing.
std::optional<std::string> ReadOurEntryKey(const char* key);
// The empty text removes the key: a value that was not there. Removing one makes no entry.
bool WriteOurEntryKey(const char* key, const std::string& value);
// Changes the entry; false, with the reason said, for an entry that is not ours. A new
// entry is made a handler of RealMedia files that no menu shows.
bool ChangeOurEntry(const std::function<void(GKeyFile*)>& change);
// Removes our entry and the player links its Exec line may name.
bool RemoveOurEntry();
// False, with the reason said, unless GIO would start the entry: a missing program or
// TryExec, a bad line or an entry of someone else's make it pass the entry over.
bool DesktopTakesOurEntry();
