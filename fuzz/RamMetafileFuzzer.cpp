// A metafile of any bytes lists only locations it names, each whole and on one line, none
// after a "--stop--" line, whatever its lines end with.
#include "FuzzInput.h"
#include "RamMetafile.h"

#include <algorithm>
#include <string_view>

constexpr std::string_view kFolder = "/media/lists";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::string listed = in.BytesPart();
    const std::string after = in.BytesPart();
    const std::vector<ClipLocation> locations = ReadRamMetafile(listed, kFolder);

    FUZZ_ASSERT(locations.size() <= static_cast<std::size_t>(std::count(listed.begin(), listed.end(), '\n') +
                                                             std::count(listed.begin(), listed.end(), '\r') + 1));
    for (const ClipLocation& location : locations) {
        const std::string& text = location.text;
        FUZZ_ASSERT(!text.empty() && text.find_first_of("\r\n") == std::string::npos);
        if (location.kind == ClipLocation::Kind::Unsupported)
            continue;
        FUZZ_ASSERT(text.find('\0') == std::string::npos);
        if (location.kind == ClipLocation::Kind::Path)
            FUZZ_ASSERT(text.starts_with('/'));
        else
            FUZZ_ASSERT((text.starts_with("http://") || text.starts_with("https://") || text.starts_with("rtsp://")) &&
                        text.find_first_of("?#") == std::string::npos);
    }
    // Nothing after the stop line counts, and CR LF lines read as LF lines do.
    FUZZ_ASSERT(ReadRamMetafile(listed + "\n--stop--\n" + after, kFolder) == locations);
    std::string crlf;
    for (char c : listed)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    FUZZ_ASSERT(ReadRamMetafile(crlf, kFolder) == locations);
    return 0;
}
