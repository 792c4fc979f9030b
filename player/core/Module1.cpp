#include "Module1.h"

Text gMediaPath;

void Main(StartupPorts& ports)
{
    gMediaPath = MediaPathFrom(ports.ArgumentText(), ports.FileNames());

    if (gMediaPath.empty()) {
        OpenDialogResult chosen = ports.ShowOpenDialog(kMediaFileFilter, u"", u"", 0);
        if (chosen.error) {
            ports.ReportErrorAndEnd(chosen.error);
            return;
        }
        gMediaPath = std::move(chosen.path);
    }

    if (gMediaPath.empty()) {
        ports.EndProgram();
        return;
    }

    if (PlatformError error = ports.ShowForm1())
        ports.ReportErrorAndEnd(error);
}
