#include "SourceLocations.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A metafile is a few lines; anything larger is something else with a misleading name.
constexpr std::size_t kLongestMetafile = 1 << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Nothing when `mode` is a regular file's; otherwise what it is instead.
const char* WhyNotARegularFile(mode_t mode)
{
    if (S_ISREG(mode))
        return nullptr;
    if (S_ISFIFO(mode))
        return "a named pipe (FIFO), not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device, not a file";
    if (S_ISSOCK(mode))
        return "a socket, not a file";
    if (S_ISDIR(mode))
        return "a folder, not a file";
    return "not a regular file";
}

// A regular file opened for reading, or why there is none. Its kind is looked at before it
// is opened, as opening a device may do something, and again after, as it may have been
// replaced in between; it is opened without waiting, as a FIFO would wait for a writer.
File OpenRegularFile(const std::string& path, std::string& failure)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        failure = std::strerror(errno);
        return nullptr;
    }
    const char* notRegular = WhyNotARegularFile(status.st_mode);
    const int descriptor = notRegular ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor >= 0 && ::fstat(descriptor, &status) == 0)
        notRegular = WhyNotARegularFile(status.st_mode);
    File file(descriptor >= 0 && !notRegular ? ::fdopen(descriptor, "rb") : nullptr);
    if (!file) {
        failure = notRegular ? notRegular : std::strerror(errno);
        if (descriptor >= 0)
            ::close(descriptor);
    }
    return file;
}

// The metafile's bytes, or why they cannot be read.
bool ReadMetafile(const std::string& path, std::string& contents, std::string& failure)
{
    const File file = OpenRegularFile(path, failure);
    if (!file)
        return false;
    contents.resize(kLongestMetafile + 1);
    contents.resize(std::fread(contents.data(), 1, contents.size(), file.get()));
    if (std::ferror(file.get()))
        failure = std::strerror(errno);
    else if (contents.size() > kLongestMetafile)
        failure = "too large for a metafile";
    return failure.empty();
}

} // namespace

SourceLocations LocationsOfSource(const std::string& source)
{
    // A relative path is taken from the working folder, so that it is never mistaken for one
    // of the engine's own reserved names ("-").
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    ClipLocation location = LocationOf(source, error ? "." : folder);
    if (location.kind != ClipLocation::Kind::Path || !IsRamMetafile(location.text))
        return {{std::move(location)}, {}, {}};

    SourceLocations metafile{{}, {}, location.text};
    std::string contents;
    if (!ReadMetafile(location.text, contents, metafile.failure))
        return metafile;
    metafile.locations = ReadRamMetafile(contents, std::filesystem::path(location.text).parent_path().string());
    if (metafile.locations.empty())
        metafile.failure = "lists no clip";
    return metafile;
}

std::string WhyUnreadable(const ClipLocation& location)
{
    std::string failure;
    if (location.kind == ClipLocation::Kind::Path)
        OpenRegularFile(location.text, failure);
    return failure;
}

const char* ProtocolsOf(const ClipLocation& location)
{
    if (location.kind == ClipLocation::Kind::Path)
        return "file";
    // RTSP carries its media over RTP, on UDP or inside its own TCP connection.
    if (location.text.starts_with("rtsp://"))
        return "rtsp,rtp,udp,tcp";
    // HTTP may be redirected to HTTPS and back.
    return "http,https,tcp,tls";
}
