#include "WindowsStartup.h"

#include "CommandLine.h"
#include "PlatformErrorReport.h"

Text WindowsStartup::ArgumentText()
{
    return ::ArgumentText(GetCommandLineW());
}

OpenDialogResult WindowsStartup::ShowOpenDialog(TextView filter, TextView initialDir, TextView title,
                                                NativeHandle ownerWindow)
{
    const ComdlgPorts ports{codePage_, dialog_, reinterpret_cast<NativeHandle>(instance_)};
    return ::ShowOpenDialog(filter, initialDir, title, ownerWindow, ports);
}

PlatformError WindowsStartup::ShowForm1()
{
    if (form1_)
        return {};
    auto form = std::make_unique<PlayerForm>();
    if (PlatformError error = form->Create(instance_))
        return error;
    form1_ = std::move(form);
    return {};
}

void WindowsStartup::EndProgram()
{
    ExitProcess(0);
}

// Main reports only failures that come before the window exists (a failed Form1 has
// already taken its window down), so nothing is left on screen behind the report.
void WindowsStartup::ReportErrorAndEnd(PlatformError error)
{
    ReportPlatformErrorAndExit(error);
}
