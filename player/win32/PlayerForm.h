#pragma once
// Form1 on Windows: a borderless, maximised top-level window on the taskbar, filled by
// RealAudio1, behind the core's PlayerWindow port.
#include "Form1.h"
#include "HostedControl.h"
#include "OwnedWindowProc.h"
#include "WindowsFileNames.h"

#include <windows.h>

#include <memory>

class PlayerForm final : public PlayerWindow {
public:
    PlayerForm() = default;
    PlayerForm(const PlayerForm&) = delete;
    PlayerForm& operator=(const PlayerForm&) = delete;
    ~PlayerForm();

    // Creates the window hidden, creates the control, runs the load step, then shows it.
    PlatformError Create(HINSTANCE instance);
    // Key preview: every message of the thread passes here before it is dispatched,
    // so the window sees each character first, also while the control has the focus.
    void PreviewMessage(MSG& message);

    float WidthTwips() const override;
    float HeightTwips() const override;
    const FileNameRule& FileNames() const override { return fileNames_; }
    [[noreturn]] void EndProcessNow() override;
    [[noreturn]] void ReportErrorAndEnd(PlatformError error) override;

private:
    friend LRESULT CALLBACK OwnedWindowProc<PlayerForm>(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    int dpi_ = 96;
    WindowsFileNames fileNames_;
    std::unique_ptr<HostedControl> realAudio1_;
    std::unique_ptr<Form1> form1_;
    bool loaded_ = false;
};
