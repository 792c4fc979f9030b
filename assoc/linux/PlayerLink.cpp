#include "PlayerLink.h"

#include "FailureReport.h"
#include "OurEntry.h"

#include <cerrno>
#include <cstring>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string LinkFolder()
{
    // Named for our entry, so that the user sees whose it is.
    const GCharOwner folder(g_build_filename(g_get_user_data_dir(), kHandlerFolder, nullptr));
    return folder.get();
}

bool IsLink(const std::string& path)
{
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

} // namespace

std::string PlayerLinkPath(const std::string& program)
{
    const GCharOwner name(g_path_get_basename(program.c_str()));
    const GCharOwner path(g_build_filename(LinkFolder().c_str(), name.get(), nullptr));
    return path.get();
}

bool MakePlayerLink(const std::string& program)
{
    const std::string link = PlayerLinkPath(program);
    struct stat status {};
    if (lstat(link.c_str(), &status) == 0 && !S_ISLNK(status.st_mode)) {
        ReportFailure(link + ": Ordinel のものではないファイルがあるため、置き換えません");
        return false;
    }
    if (PlayerLinkTarget(link) == program)
        return true;
    // Made beside and renamed over, so that the link always names one player or the other.
    const std::string made = link + ".new";
    g_unlink(made.c_str());
    if (g_mkdir_with_parents(LinkFolder().c_str(), 0700) != 0 || symlink(program.c_str(), made.c_str()) != 0 ||
        g_rename(made.c_str(), link.c_str()) != 0) {
        ReportFailure(link + ": " + std::strerror(errno));
        g_unlink(made.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> PlayerLinkTarget(const std::string& path)
{
    const GCharOwner folder(g_path_get_dirname(path.c_str()));
    if (folder.get() != LinkFolder() || !IsLink(path))
        return std::nullopt;
    const GCharOwner target(g_file_read_link(path.c_str(), nullptr));
    return target ? std::optional<std::string>(target.get()) : std::nullopt;
}

bool RemovePlayerLinks()
{
    const std::string folder = LinkFolder();
    const GDirOwner dir(g_dir_open(folder.c_str(), 0, nullptr));
    if (!dir)
        return true;
    bool removed = true;
    while (const char* name = g_dir_read_name(dir.get())) {
        const GCharOwner path(g_build_filename(folder.c_str(), name, nullptr));
        if (IsLink(path.get()) && g_unlink(path.get()) != 0) {
            ReportFailure(std::string(path.get()) + ": " + std::strerror(errno));
            removed = false;
        }
    }
    // Anything else there is someone else's, and keeps the folder.
    g_rmdir(folder.c_str());
    return removed;
}
