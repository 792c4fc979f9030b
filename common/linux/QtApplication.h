#pragma once
// Qt's application object, made so that a missing display is one clear line on standard
// error and status 1, not Qt's abort with lines of advice about reinstalling.
#include "ProgramReport.h"

#include <QApplication>

#include <memory>

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv, const ProgramReport& report);
