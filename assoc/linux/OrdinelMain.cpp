// Ordinel on Linux: the options dialog is the whole program; it ends when the dialog is
// unloaded. The registry is the desktop's own association database.
#include "DesktopClassesRoot.h"
#include "FailureReport.h"
#include "LocaleCodePage.h"
#include "OptionsDialog.h"
#include "QtApplication.h"
#include "QtText.h"

int main(int argc, char** argv)
{
    // A Wayland session finds the window's desktop entry, and so its name and icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("ordinel"));
    const auto application = OpenApplication(argc, argv, kOrdinelReport);
    DesktopClassesRoot classesRoot;
    NoBinaryValues native;
    const LocaleCodePage codePage;
    OptionsDialog dialog(ToText(QCoreApplication::applicationDirPath()));
    frmOptions form(dialog, {classesRoot, native, codePage}, {u"Pexalo", u'/', false});
    QObject::connect(&dialog, &QDialog::finished, application.get(), &QCoreApplication::quit);
    dialog.Open(form, classesRoot);
    return application->exec();
}
