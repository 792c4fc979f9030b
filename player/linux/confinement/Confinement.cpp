#include "Confinement.h"

#include "Landlock.h"
#include "SyscallFilter.h"

#include "ErrorReport.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <sys/prctl.h>

void ConfineToClips(const SourceLocations& clips)
{
    std::vector<std::string> paths;
    if (!clips.metafile.empty())
        paths.push_back(clips.metafile);  // read again at each pass of its list
    bool network = false;
    for (const ClipLocation& location : clips.locations) {
        if (location.kind == ClipLocation::Kind::Path)
            paths.push_back(location.text);
        network = network || location.kind == ClipLocation::Kind::Url;
    }
    // Both need it: nothing the process starts can gain rights it has not.
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        kPexaloReport.Say(std::string("runs unconfined: ") + std::strerror(errno));
        return;
    }
    if (RestrictFilesAndNetwork(paths, network) == 0)
        kPexaloReport.Say("this kernel offers no Landlock: files and network are not confined");
    if (const int status = FilterSystemCalls(network); status < 0)
        kPexaloReport.Say(std::string("no system call filter: ") + std::strerror(-status));
}
