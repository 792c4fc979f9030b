#pragma once
// The report a user sees: a modal message box over the window it concerns, titled as that
// window or else with the program's name. A program without windows shows none; its report
// is the line on the standard error alone.
#include "ProgramReport.h"

#include <QMessageBox>

void ShowReport(const ProgramReport& report, QMessageBox::Icon icon, const QString& text, QWidget* parent = nullptr);
