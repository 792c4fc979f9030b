#pragma once
// Failures of the association's adapters: each said at once on the standard error, and
// kept until the dialog shows them to the user.
#include "ProgramReport.h"

#include <string>
#include <vector>

inline constexpr ProgramReport kOrdinelReport{"Ordinel"};

void ReportFailure(const std::string& reason);
// The reasons said since the last call, in order.
std::vector<std::string> TakeFailures();
