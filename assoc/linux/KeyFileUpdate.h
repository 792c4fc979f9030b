#pragma once
// Changes a few keys of a key file (mimeapps.list, a desktop entry) and leaves the rest as
// it was: comments, groups, order and translations. The new file takes the old one's place
// in one rename, so a crash leaves the old file or the new one, never part of either. A
// file that cannot be read, parsed or written is never replaced; the reason goes to the
// standard error.
#include "GLibOwners.h"

#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>

// What tells one state of a file from another without reading it: another writer's rename
// gives it a new inode, a write in place a new size or time.
struct FileVersion {
    bool present = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long seconds = 0, nanoseconds = 0;
    bool operator==(const FileVersion&) const = default;
};

// Stale: another writer changed the file since it was read, so nothing was written.
enum class Saved { Unchanged, Written, Stale, Failed };

class KeyFileUpdate {
public:
    // A missing file starts empty; nothing when the file is there but cannot be taken in.
    static std::optional<KeyFileUpdate> Open(const std::string& path);

    GKeyFile* Keys() const { return keys_.get(); }
    // The file as read, empty when it was missing.
    std::string Text() const { return original_.value_or(std::string()); }
    // Writes the keys, only where they differ from the file as read; creates missing folders.
    // The file is read again just before the rename and left alone when it no longer is
    // what was read.
    Saved Save() const;
    // The same with the file's new text, edited line by line.
    Saved Save(std::string_view text) const;

private:
    KeyFileUpdate(std::string link, std::string path, FileVersion version, std::optional<std::string> original,
                  unsigned mode, GKeyFileOwner keys);

    std::string link_;                      // the symbolic link that was opened, if any: it stays
    std::string path_;                      // the file written, the link's target
    FileVersion version_;                   // the file's state before it was read
    std::optional<std::string> original_;   // the file as read, nothing when it was missing
    unsigned mode_;                         // the file's permissions, kept
    GKeyFileOwner keys_;
};

// Opens, changes and saves the file, starting again while other writers get in between;
// true when the change is in the file or was there already.
bool UpdateKeyFile(const std::string& path, const std::function<void(GKeyFile*)>& change);
// The same with the file's new text made from the file as read.
bool UpdateKeyFileText(const std::string& path, const std::function<std::string(const KeyFileUpdate&)>& edit);

// How many times this process has changed a file that GIO watches: a writer that changed
// one waits for GIO to see it.
unsigned DesktopFileChanges();
void CountDesktopFileChange();
