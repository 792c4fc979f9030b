#pragma once
// The start-up's ports on Linux: the argument text, Qt's file dialog and Form1Window.
#include "Form1Window.h"
#include "LinuxFileNames.h"
#include "LocaleCodePage.h"
#include "Module1.h"
#include "QtOpenFileDialog.h"

class LinuxStartup final : public StartupPorts {
public:
    explicit LinuxStartup(Text argumentText) : argumentText_(std::move(argumentText)) {}

    Text ArgumentText() override { return argumentText_; }
    const FileNameRule& FileNames() const override { return fileNames_; }
    OpenDialogResult ShowOpenDialog(TextView filter, TextView initialDir, TextView title,
                                    NativeHandle ownerWindow) override;
    PlatformError ShowForm1() override;
    void EndProgram() override { ended_ = true; }
    void ReportErrorAndEnd(PlatformError error) override;

    // Main chose to end without a window.
    bool Ended() const { return ended_; }
    // What the process ends with when its window closes: 1 after any failure.
    int ExitStatus() const { return form1_ ? form1_->ExitStatus() : 0; }

private:
    Text argumentText_;
    LinuxFileNames fileNames_;
    LocaleCodePage codePage_;
    QtOpenFileDialog dialog_{codePage_};
    std::unique_ptr<Form1Window> form1_;
    bool ended_ = false;
};
