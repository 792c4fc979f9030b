#pragma once
// What the engine opens for a source: the locations that a metafile (.ram) lists, or the
// source itself, and nothing else, each by the one protocol that its location names.
#include "RamMetafile.h"

#include <string>
#include <vector>

struct SourceLocations {
    std::vector<ClipLocation> locations;  // paths made absolute
    std::string failure;                  // why a metafile gives nothing to open
    std::string metafile;                 // the metafile's path, when the source is one
};

// `source` is a path or URL in file-name bytes, read as a metafile's line is. Never blocks.
SourceLocations LocationsOfSource(const std::string& source);

// Why a local clip cannot be played: the system's own words when it cannot be read, what it
// is when it is no regular file (a FIFO or a device may block or never end). Empty when it
// can be read, or is no path. Never blocks.
std::string WhyUnreadable(const ClipLocation& location);

// The protocols, by FFmpeg's names, that the engine may use for a location: those of its
// scheme and the transports they need, and never another that the file itself names.
const char* ProtocolsOf(const ClipLocation& location);
