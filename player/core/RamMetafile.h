#pragma once
// The RealMedia metafile (.ram): a small text file that lists, one a line, the locations of
// the clips to play, in order. Bytes in and bytes out: the file's encoding is unknown, and
// the locations go to the media engine as they stand. Paths take the POSIX form.
#include <string>
#include <string_view>
#include <vector>

struct ClipLocation {
    enum class Kind { Path, Url, Unsupported };
    Kind kind = Kind::Unsupported;
    std::string text;  // the path, the URL, or the line that names nothing the engine opens
    bool operator==(const ClipLocation&) const = default;
};

// A metafile is known by its extension, ".ram" in any case.
bool IsRamMetafile(std::string_view source);

// "scheme://..." is a URL: http, https and rtsp are streamed, any other is unsupported;
// everything else is a path.
ClipLocation::Kind KindOfLocation(std::string_view location);

// The location that one line of a metafile, or a source given alone, names: a relative path
// is taken from `folder`. A URL loses its query and fragment and its scheme's letter case; a
// file URL on this computer becomes its path. A location holding a NUL names nothing.
ClipLocation LocationOf(std::string_view text, std::string_view folder);

// The locations a metafile lists. Lines end in LF, CR LF or CR; blanks around a line do not
// count; blank lines and lines starting with '#' are skipped; a line "--stop--" ends the list.
// Each line is read by LocationOf with `folder`, the metafile's own.
std::vector<ClipLocation> ReadRamMetafile(std::string_view contents, std::string_view folder);
