#pragma once
// What Main needs from Windows: the command line, the open-file dialog and Form1.
#include "Module1.h"
#include "PlayerForm.h"
#include "WindowsCodePage.h"
#include "WindowsOpenFileDialog.h"

#include <memory>

class WindowsStartup final : public StartupPorts {
public:
    explicit WindowsStartup(HINSTANCE instance) : instance_(instance) {}

    Text ArgumentText() override;
    OpenDialogResult ShowOpenDialog(TextView filter, TextView initialDir, TextView title,
                                    NativeHandle ownerWindow) override;
    PlatformError ShowForm1() override;
    [[noreturn]] void EndProgram() override;
    [[noreturn]] void ReportErrorAndEnd(PlatformError error) override;

    // Null until Main has shown the window.
    PlayerForm* Form() const { return form1_.get(); }

private:
    HINSTANCE instance_;
    WindowsCodePage codePage_;
    WindowsOpenFileDialog dialog_;
    std::unique_ptr<PlayerForm> form1_;
};
