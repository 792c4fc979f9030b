#include "PlayerForm.h"

#include "PlatformErrorReport.h"
#include "ScreenDpi.h"
#include "Twips.h"

namespace {

constexpr wchar_t kWindowClass[] = L"PexaloForm1";
constexpr wchar_t kCaption[] = L"Form1";
constexpr UINT kStateChangeMessage = WM_APP + 1;
constexpr WORD kIconId = 1;
// The designed client area, used until the window is maximised, and the control's first size.
constexpr float kDesignedWidthTwips = 4800;
constexpr float kDesignedHeightTwips = 3600;

ATOM RegisterFormClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass);
}

} // namespace

PlayerForm::~PlayerForm()
{
    if (window_)
        DestroyWindow(window_);
}

PlatformError PlayerForm::Create(HINSTANCE instance)
{
    if (!RegisterFormClass(instance, OwnedWindowProc<PlayerForm>))
        return LastPlatformError();
    dpi_ = ReadScreenDpi().x;
    // No caption bar and no frame; the app-window style keeps it on the taskbar.
    window_ = CreateWindowExW(WS_EX_APPWINDOW, kWindowClass, kCaption, WS_POPUP | WS_CLIPCHILDREN, CW_USEDEFAULT,
                              CW_USEDEFAULT, TwipsToPixels(kDesignedWidthTwips, dpi_),
                              TwipsToPixels(kDesignedHeightTwips, dpi_), nullptr, nullptr, instance, this);
    if (!window_)
        return LastPlatformError();

    realAudio1_ = std::make_unique<HostedControl>(window_, kStateChangeMessage, dpi_, kDesignedWidthTwips,
                                                  kDesignedHeightTwips);
    if (PlatformError error = realAudio1_->Create(RealAudio1PersistedState()))
        return error;
    form1_ = std::make_unique<Form1>(*this, *realAudio1_);
    form1_->Form_Load();
    loaded_ = true;
    // The design's window state 2: maximised.
    ShowWindow(window_, SW_SHOWMAXIMIZED);
    return {};
}

void PlayerForm::PreviewMessage(MSG& message)
{
    if (!loaded_ || message.message != WM_CHAR)
        return;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd))
        return;
    auto keyAscii = static_cast<std::int16_t>(message.wParam);
    form1_->Form_KeyPress(keyAscii);
    message.wParam = static_cast<std::uint16_t>(keyAscii);
}

float PlayerForm::WidthTwips() const
{
    RECT client;
    GetClientRect(window_, &client);
    return PixelsToTwips(client.right, dpi_);
}

float PlayerForm::HeightTwips() const
{
    RECT client;
    GetClientRect(window_, &client);
    return PixelsToTwips(client.bottom, dpi_);
}

void PlayerForm::EndProcessNow()
{
    ExitProcess(0);
}

void PlayerForm::ReportErrorAndEnd(PlatformError error)
{
    // No player window may stay open behind the report, and no quit message may
    // end the report before the user has read it.
    loaded_ = false;
    DestroyWindow(window_);
    ReportPlatformErrorAndExit(error);
}

LRESULT PlayerForm::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        // A minimised window has nothing to fill: the control keeps its size until it returns.
        if (loaded_ && wParam != SIZE_MINIMIZED)
            form1_->Form_Resize();
        return 0;
    case WM_SETFOCUS:
        if (realAudio1_)
            realAudio1_->Focus();
        return 0;
    case kStateChangeMessage:
        if (loaded_)
            form1_->RealAudio1_StateChange(static_cast<std::int32_t>(lParam));
        return 0;
    case WM_DESTROY:
        if (realAudio1_)
            realAudio1_->Close();
        window_ = nullptr;
        // Closed by the user or the platform: the only window is gone, so the program ends.
        if (loaded_)
            PostQuitMessage(0);
        loaded_ = false;
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}
