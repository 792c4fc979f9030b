// Ordinel on Linux: the options dialog is the whole program; it ends when the dialog is
// unloaded. The registry is the SQLite store that pexalo-open reads.
#include "ConfigPath.h"
#include "OptionsDialog.h"
#include "StoreNativeRegistry.h"
#include "StoreScriptShell.h"
#include "LocaleCodePage.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const auto store = RegistryStore::Open(RegistryStorePath());
    StoreScriptShellFactory scriptShell(store.get());
    const LocaleCodePage codePage;
    StoreNativeRegistry native(store.get(), codePage);
    OptionsDialog dialog(QCoreApplication::applicationDirPath().toStdU16String());
    frmOptions form(dialog, {scriptShell, native, codePage}, {u"Pexalo", u'/'});
    QObject::connect(&dialog, &QDialog::finished, &application, &QCoreApplication::quit);
    dialog.Open(form);
    return application.exec();
}
