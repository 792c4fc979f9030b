#include "ReportBox.h"

#include <QApplication>

void ShowReport(const ProgramReport& report, QMessageBox::Icon icon, const QString& text, QWidget* parent)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    const QString title = parent ? parent->windowTitle() : QString::fromUtf8(report.program);
    QMessageBox(icon, title, text, QMessageBox::Ok, parent).exec();
}
