#include "LinuxStartup.h"

#include "Confinement.h"
#include "ErrorReport.h"

OpenDialogResult LinuxStartup::ShowOpenDialog(TextView filter, TextView initialDir, TextView title,
                                              NativeHandle ownerWindow)
{
    // A Linux program has no instance handle to give the dialog.
    return ::ShowOpenDialog(filter, initialDir, title, ownerWindow, {codePage_, dialog_, 0});
}

PlatformError LinuxStartup::ShowForm1()
{
    if (!form1_) {
        // Before the engine starts its threads: each of them is confined from its start.
        ConfineToClips(LocationsOfSource(FileNameFromText(MediaPathFrom(gMediaPath, fileNames_))));
        PlatformError error;
        form1_ = Form1Window::Create(error);
        if (error)
            return error;
    }
    form1_->showMaximized();
    return {};
}

void LinuxStartup::ReportErrorAndEnd(PlatformError error)
{
    ReportErrorAndExit(error);
}
