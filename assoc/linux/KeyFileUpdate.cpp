#include "KeyFileUpdate.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

// GIO's own mode for the files it creates in the user's folders.
constexpr unsigned kNewFileMode = 0600;

std::string SystemReason(const std::string& path)
{
    return path + ": " + std::strerror(errno);
}

} // namespace

void ReportFailure(const std::string& reason)
{
    std::fprintf(stderr, "Ordinel: %s\n", reason.c_str());
}

KeyFileUpdate::KeyFileUpdate(std::string link, std::string path, std::string original, unsigned mode,
                             GKeyFileOwner keys)
    : link_(std::move(link)), path_(std::move(path)), original_(std::move(original)), mode_(mode), keys_(std::move(keys))
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
        return KeyFileUpdate({}, path, {}, kNewFileMode, std::move(keys));
    }
    char target[PATH_MAX];
    if (!realpath(path.c_str(), target) || stat(target, &status) != 0) {
        ReportFailure(SystemReason(path));
        return std::nullopt;
    }
    // A file its owner made read-only is one they want left alone, even by root.
    if (!(status.st_mode & S_IWUSR) || access(target, W_OK) != 0) {
        ReportFailure(std::string(target) + ": read-only");
        return std::nullopt;
    }
    gchar* contents = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    if (!g_file_get_contents(target, &contents, &length, &error) ||
        !g_key_file_load_from_data(keys.get(), contents, length, GKeyFileFlags(G_KEY_FILE_KEEP_COMMENTS | G_KEY_FILE_KEEP_TRANSLATIONS),
                                   &error)) {
        const GErrorOwner owner(error);
        g_free(contents);
        ReportFailure(std::string(target) + ": " + error->message);
        return std::nullopt;
    }
    const GCharOwner owner(contents);
    return KeyFileUpdate(target == path ? std::string() : path, target, std::string(contents, length),
                         status.st_mode & 07777, std::move(keys));
}

Saved KeyFileUpdate::Save() const
{
    gsize length = 0;
    const GCharOwner data(g_key_file_to_data(keys_.get(), &length, nullptr));
    if (original_ == std::string_view(data.get(), length))
        return Saved::Unchanged;
    const GCharOwner folder(g_path_get_dirname(path_.c_str()));
    if (g_mkdir_with_parents(folder.get(), 0700) != 0) {
        ReportFailure(SystemReason(folder.get()));
        return Saved::Failed;
    }
    GError* error = nullptr;
    if (!g_file_set_contents_full(path_.c_str(), data.get(), static_cast<gssize>(length),
                                  G_FILE_SET_CONTENTS_CONSISTENT, static_cast<int>(mode_), &error)) {
        const GErrorOwner owner(error);
        ReportFailure(error->message);
        return Saved::Failed;
    }
    // Watchers of the link's folder (GIO among them) learn of the change by the link's time.
    if (!link_.empty())
        lutimes(link_.c_str(), nullptr);
    return Saved::Written;
}
