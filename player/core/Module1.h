#pragma once
// Start-up: decides the one file to play before any window exists.
#include "ComdlgM.h"
#include "FileNames.h"
#include "PlatformError.h"
#include "Text.h"

// The file to play; written only by Main, read once by Form1 when it loads.
extern Text gMediaPath;

inline constexpr char16_t kMediaFileFilter[] = u"Real メディア,*.rm;*.ram";

struct StartupPorts {
    // Everything after the program's own name and the blanks that follow it.
    virtual Text ArgumentText() = 0;
    virtual const FileNameRule& FileNames() const = 0;
    virtual OpenDialogResult ShowOpenDialog(TextView filter, TextView initialDir, TextView title,
                                            NativeHandle ownerWindow) = 0;
    // Creates Form1 if it does not exist yet and shows it modeless, without an owner.
    virtual PlatformError ShowForm1() = 0;
    // No file to play: end without a window and without a word.
    virtual void EndProgram() = 0;
    virtual void ReportErrorAndEnd(PlatformError error) = 0;

protected:
    ~StartupPorts() = default;
};

void Main(StartupPorts& ports);
