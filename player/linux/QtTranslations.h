#pragma once
// Qt's own texts, such as the file dialog's standard caption and buttons, in the user's
// language, as the platform's dialog shows them on a Japanese system.
#include <QLocale>
#include <QTranslator>

class QtTranslations final {
public:
    explicit QtTranslations(const QLocale& locale);
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

private:
    QTranslator translator_;
    bool installed_ = false;
};
