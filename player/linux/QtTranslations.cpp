#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

QtTranslations::QtTranslations(const QLocale& locale)
{
    // Missing translations leave Qt's English texts, which is all a system without them has.
    if (translator_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installed_ = QCoreApplication::installTranslator(&translator_);
}

QtTranslations::~QtTranslations()
{
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}
