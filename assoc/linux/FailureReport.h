#pragma once
// Failures of the association's adapters: each said at once on the standard error, and
// kept until the dialog shows them to the user.
#include <string>
#include <vector>

// "Ordinel: <reason>" on the standard error.
void ReportFailure(const std::string& reason);
// The reasons said since the last call, in order.
std::vector<std::string> TakeFailures();
