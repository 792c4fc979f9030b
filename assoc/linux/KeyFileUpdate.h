#pragma once
// Changes a few keys of a key file (mimeapps.list, a desktop entry) and leaves the rest as
// it was: comments, groups, order and translations. The new file takes the old one's place
// in one rename, so a crash leaves the old file or the new one, never part of either. A
// file that cannot be read, parsed or written is never replaced; the reason goes to the
// standard error.
#include "GLibOwners.h"

#include <optional>
#include <string>

enum class Saved { Unchanged, Written, Failed };

class KeyFileUpdate {
public:
    // A missing file starts empty; nothing when the file is there but cannot be taken in.
    static std::optional<KeyFileUpdate> Open(const std::string& path);

    GKeyFile* Keys() const { return keys_.get(); }
    // Writes only what differs from the file as read; creates missing folders.
    Saved Save() const;

private:
    KeyFileUpdate(std::string link, std::string path, std::string original, unsigned mode, GKeyFileOwner keys);

    std::string link_;      // the symbolic link that was opened, if any: it stays
    std::string path_;      // the file written, the link's target
    std::string original_;  // the file as read, empty when it was missing
    unsigned mode_;         // the file's permissions, kept
    GKeyFileOwner keys_;
};

// "Ordinel: <reason>" on the standard error.
void ReportFailure(const std::string& reason);
