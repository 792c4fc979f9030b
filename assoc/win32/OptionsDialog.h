#pragma once
// The options dialog as a Win32 window built from its design in twips. Events go to
// frmOptions; this class only adapts the window to the OptionsWindow port.
#include "OwnedWindowProc.h"
#include "ScreenDpi.h"
#include "frmOptions.h"
#include "frmOptionsDesign.h"

#include <windows.h>

class OptionsDialog final : public OptionsWindow {
public:
    explicit OptionsDialog(HINSTANCE instance) : instance_(instance) {}
    OptionsDialog(const OptionsDialog&) = delete;
    OptionsDialog& operator=(const OptionsDialog&) = delete;
    ~OptionsDialog();

    // Creates the window, loads the form, shows it and runs until it is unloaded; a window
    // or control that cannot be made ends the program with the platform's report.
    int Run(frmOptions& form);

    // A folder that cannot be named ends the program with the platform's report, as a
    // failure at start-up does: a command built without it would name another player.
    std::optional<Text> AppPath() override;
    std::int16_t Check1Value() override;
    void SetCheck1Value(std::int16_t value) override;
    void Unload() override;
    void AssociationsChanged() override;

private:
    friend LRESULT CALLBACK OwnedWindowProc<OptionsDialog>(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int notification);
    bool CreateDialogWindow();
    bool CreateControls();
    HWND CreateChild(HWND parent, const wchar_t* windowClass, const char16_t* caption, DWORD style,
                     const TwipRect& rect, int id);

    HINSTANCE instance_;
    HWND owner_ = nullptr;  // hidden: an owned window gets no taskbar button
    HWND window_ = nullptr;
    HWND cmdOK_ = nullptr, cmdCancel_ = nullptr, cmdApply_ = nullptr, check1_ = nullptr;
    HWND lastFocus_ = nullptr;
    HFONT font_ = nullptr;
    ScreenDpi dpi_;
    frmOptions* form_ = nullptr;
};
