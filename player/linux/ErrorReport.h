#pragma once
// The platform's report of a failure nobody handles, as on Windows: the error in a message
// box, and on standard error for whoever started the player from a terminal; then the
// process ends with status 1 at once, as an unhandled error ends it on Windows.
#include "PlatformError.h"
#include "ProgramReport.h"

#include <string>

inline constexpr ProgramReport kPexaloReport{"Pexalo"};

// What caused the error that will be reported next, when the code alone would not say it.
void NoteErrorCause(std::string cause);

[[noreturn]] void ReportErrorAndExit(PlatformError error);
