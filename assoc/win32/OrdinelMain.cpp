// Ordinel: the options dialog is the whole program; it ends when the dialog is unloaded.
#include "Advapi32Registry.h"
#include "OptionsDialog.h"
#include "PlatformErrorReport.h"
#include "WScriptShell.h"
#include "WindowsCodePage.h"

#include <objbase.h>

namespace {

// The shell objects are apartment-threaded, like the dialog's one thread; without the
// apartment no registry call could work, so the program ends with the report.
struct ComApartment {
    ComApartment()
    {
        if (const HRESULT hr = CoInitialize(nullptr); FAILED(hr))
            ReportPlatformErrorAndExit({static_cast<std::uint32_t>(hr)});
    }
    ~ComApartment() { CoUninitialize(); }
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    ComApartment apartment;
    WScriptShellFactory scriptShell;
    Advapi32Registry native;
    WindowsCodePage codePage;
    OptionsDialog dialog(instance);
    frmOptions form(dialog, {scriptShell, native, codePage}, {u"Pexalo.exe", u'\\', true});
    return dialog.Run(form);
}
