// Pexalo: plays one RealMedia file through the installed media control.
#include "PlatformErrorReport.h"
#include "WindowsStartup.h"

#include <ole2.h>

namespace {

int RunMessageLoop(PlayerForm& form1)
{
    MSG message;
    while (NextMessage(message)) {
        TranslateMessage(&message);
        form1.PreviewMessage(message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (HRESULT hr = OleInitialize(nullptr); FAILED(hr))
        ReportPlatformErrorAndExit({static_cast<std::uint32_t>(hr)});
    int status = 0;
    {
        WindowsStartup startup(instance);
        Main(startup);
        if (PlayerForm* form1 = startup.Form())
            status = RunMessageLoop(*form1);
    }
    OleUninitialize();
    return status;
}
