#include "SourceLocations.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A metafile is a few lines; anything larger is something else with a misleading name.
constexpr std::size_t kLongestMetafile = 1 << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The metafile's bytes, or why they cannot be read.
bool ReadMetafile(const std::string& path, std::string& contents, std::string& failure)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        failure = std::strerror(errno);
        return false;
    }
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
    const ClipLocation::Kind kind =
        source.find('\0') == std::string::npos ? KindOfLocation(source) : ClipLocation::Kind::Unsupported;
    if (kind != ClipLocation::Kind::Path)
        return {{{kind, source}}, {}};
    // An absolute path is never mistaken for one of the engine's own reserved names ("-").
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(source, error);
    if (!IsRamMetafile(source))
        return {{{kind, error ? source : path.string()}}, {}};

    SourceLocations metafile;
    std::string contents;
    if (!ReadMetafile(path.string(), contents, metafile.failure))
        return metafile;
    metafile.locations = ReadRamMetafile(contents, path.parent_path().string());
    if (metafile.locations.empty())
        metafile.failure = "lists no clip";
    return metafile;
}

std::string WhyUnreadable(const ClipLocation& location)
{
    if (location.kind != ClipLocation::Kind::Path)
        return {};
    const int file = ::open(location.text.c_str(), O_RDONLY);
    if (file < 0)
        return std::strerror(errno);
    ::close(file);
    return {};
}

void ApplyMediaOnlyOptions(mpv_handle* mpv)
{
    // No playlist, reference, ordered chapter or archive inside a file is followed.
    mpv_set_option_string(mpv, "access-references", "no");
    mpv_set_option_string(mpv, "ordered-chapters", "no");
    // No subtitle, audio or cover file is loaded from beside it.
    mpv_set_option_string(mpv, "autoload-files", "no");
    // A URL goes to the engine's own network code, never to an outside downloader.
    mpv_set_option_string(mpv, "ytdl", "no");
}
