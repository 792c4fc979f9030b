#include "KeyFileUpdate.h"

#include "FailureReport.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

// GIO's own mode for the files it creates in the user's folders.
constexpr unsigned kNewFileMode = 0600;
// Enough for a tool that writes its list in a loop; a writer that never pauses is reported.
constexpr int kTries = 50;

unsigned gDesktopFileChanges = 0;

std::string KeysText(GKeyFile* keys)
{
    gsize length = 0;
    const GCharOwner data(g_key_file_to_data(keys, &length, nullptr));
    return std::string(data.get(), length);
}

std::string SystemReason(const std::string& path)
{
    return path + ": " + std::strerror(errno);
}

FileVersion VersionOf(const std::string& path)
{
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0)
        return {.present = errno != ENOENT};
    return {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

// Nothing when the file is missing; an empty optional inside for a file that cannot be read.
std::optional<std::optional<std::string>> Contents(const std::string& path)
{
    gchar* contents = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    if (!g_file_get_contents(path.c_str(), &contents, &length, &error)) {
        const GErrorOwner owner(error);
        if (g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT))
            return std::optional<std::string>();
        ReportFailure(path + ": " + error->message);
        return std::nullopt;
    }
    const GCharOwner owner(contents);
    return std::optional(std::string(contents, length));
}

// The new contents in a file of their own beside the old one, flushed to disk.
std::optional<std::string> WriteBeside(const std::string& path, std::string_view data, unsigned mode)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = g_mkstemp_full(temporary.data(), O_WRONLY, static_cast<int>(mode));
    if (fd < 0) {
        ReportFailure(SystemReason(path));
        return std::nullopt;
    }
    bool written = fchmod(fd, mode) == 0;
    for (std::size_t at = 0; written && at < data.size();) {
        const ssize_t count = write(fd, data.data() + at, data.size() - at);
        written = count > 0;
        at += written ? static_cast<std::size_t>(count) : 0;
    }
    written = written && fsync(fd) == 0;
    if (!written)
        ReportFailure(SystemReason(path));
    if (close(fd) != 0 || !written) {
        g_unlink(temporary.c_str());
        return std::nullopt;
    }
    return temporary;
}

} // namespace

KeyFileUpdate::KeyFileUpdate(std::string link, std::string path, FileVersion version, std::optional<std::string> original,
                             unsigned mode, GKeyFileOwner keys)
    : link_(std::move(link)), path_(std::move(path)), version_(version), original_(std::move(original)), mode_(mode),
      keys_(std::move(keys))
{
}

std::optional<KeyFileUpdate> KeyFileUpdate::Open(const std::string& path)
{
    GKeyFileOwner keys(g_key_file_new());
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            ReportFailure(SystemReason(path));
            return std::nullopt;
        }
        return KeyFileUpdate({}, path, {}, std::nullopt, kNewFileMode, std::move(keys));
    }
    char target[PATH_MAX];
    if (!realpath(path.c_str(), target) || stat(target, &status) != 0) {
        ReportFailure(SystemReason(path));
        return std::nullopt;
    }
    // A file its owner made read-only is one they want left alone, even by root.
    if (!(status.st_mode & S_IWUSR) || access(target, W_OK) != 0) {
        ReportFailure(std::string(target) + ": 書き込みが禁じられています");
        return std::nullopt;
    }
    // Taken before the read: a change between the two is then seen as one at the save.
    const FileVersion version = VersionOf(target);
    const auto contents = Contents(target);
    if (!contents)
        return std::nullopt;
    const std::string& text = contents->value_or(std::string());
    GError* error = nullptr;
    if (!g_key_file_load_from_data(keys.get(), text.data(), text.size(),
                                   GKeyFileFlags(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS), &error)) {
        const GErrorOwner owner(error);
        ReportFailure(std::string(target) + ": " + error->message);
        return std::nullopt;
    }
    return KeyFileUpdate(target == path ? std::string() : path, target, version, *contents, status.st_mode & 07777,
                         std::move(keys));
}

Saved KeyFileUpdate::Save() const
{
    return Save(KeysText(keys_.get()));
}

Saved KeyFileUpdate::Save(std::string_view text) const
{
    if (original_.value_or(std::string()) == text)
        return Saved::Unchanged;
    const GCharOwner folder(g_path_get_dirname(path_.c_str()));
    if (g_mkdir_with_parents(folder.get(), 0700) != 0) {
        ReportFailure(SystemReason(folder.get()));
        return Saved::Failed;
    }
    const auto temporary = WriteBeside(path_, text, mode_);
    if (!temporary)
        return Saved::Failed;
    // The last moment before the rename, kept as short as a stat: a list replaced from a
    // read that another writer has overtaken would lose that writer's lines.
    if (VersionOf(path_) != version_) {
        g_unlink(temporary->c_str());
        return Saved::Stale;
    }
    if (g_rename(temporary->c_str(), path_.c_str()) != 0) {
        ReportFailure(SystemReason(path_));
        g_unlink(temporary->c_str());
        return Saved::Failed;
    }
    CountDesktopFileChange();
    // Watchers of the link's folder (GIO among them) learn of the change by the link's time.
    if (!link_.empty())
        lutimes(link_.c_str(), nullptr);
    return Saved::Written;
}

bool UpdateKeyFileText(const std::string& path, const std::function<std::string(const KeyFileUpdate&)>& edit)
{
    for (int tries = 0; tries < kTries; ++tries) {
        const auto update = KeyFileUpdate::Open(path);
        if (!update)
            return false;
        const Saved saved = update->Save(edit(*update));
        if (saved == Saved::Failed)
            return false;
        // Written is checked as another writer could still have replaced the file with a read
        // made before ours: the change must be seen in the file as it now is.
        if (saved == Saved::Unchanged)
            return true;
    }
    ReportFailure(path + ": ほかのプログラムが書き換え続けているため、変更できませんでした");
    return false;
}

bool UpdateKeyFile(const std::string& path, const std::function<void(GKeyFile*)>& change)
{
    return UpdateKeyFileText(path, [&](const KeyFileUpdate& update) {
        change(update.Keys());
        return KeysText(update.Keys());
    });
}

unsigned DesktopFileChanges()
{
    return gDesktopFileChanges;
}

void CountDesktopFileChange()
{
    ++gDesktopFileChanges;
}
