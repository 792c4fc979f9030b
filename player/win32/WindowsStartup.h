#pragma once
// What Main needs from Windows: the command line, the open-file dialog and Form1.
#include "Module1.h"
#include "PlayerForm.h"
#include "WindowsCodePage.h"
#include "WindowsFileNames.h"
#include "WindowsOpenFileDialog.h"

#include <memory>

class WindowsStartup final : public StartupPorts {
public:
    explicit WindowsStartup(HINSTANCE instance) : instance_(instance) {}

    Text ArgumentText() override;
    const FileNameRule& FileNames() const override { return fileNames_; }
    OpenDialogResult ShowOpenDialog(TextView filter, TextView initialDir, TextView title,
                                    NativeHandle ownerWindow) override;
    PlatformError ShowForm1() override;
    [[noreturn]] void EndProgram() override;
    [[noreturn]] void ReportErrorAndEnd(PlatformError error) override;

    // Null until Main has shown the window.
    PlayerForm* Form() const { return form1_.get(); }

private:
    HINSTANCE instance_;
    WindowsFileNames fileNames_;
    WindowsCodePage codePage_;
    WindowsOpenFileDialog dialog_;
    std::unique_ptr<PlayerForm> form1_;
};
