#pragma once
// What the engine opens for a source: the locations that a metafile (.ram) lists, or the
// source itself, and nothing else. A media file is only media: the engine is told never to
// follow a playlist or a reference inside one, nor to load other files from beside it.
#include "RamMetafile.h"

#include <mpv/client.h>

#include <string>
#include <vector>

struct SourceLocations {
    std::vector<ClipLocation> locations;  // paths made absolute
    std::string failure;                  // why a metafile gives nothing to open
};

// `source` is a path or URL in file-name bytes.
SourceLocations LocationsOfSource(const std::string& source);

// The system's own words for why a path cannot be read; empty when it can, or is no path.
std::string WhyUnreadable(const ClipLocation& location);

void ApplyMediaOnlyOptions(mpv_handle* mpv);
