// The yardstick for the player's start-up: the least a Windows program does to show a
// window. It logs when its window is shown, in the stand-in control's log format, and ends.
#include "Log.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(WS_EX_APPWINDOW, L"BareWindow", L"Form1", WS_POPUP, 0, 0, 320, 240, nullptr,
                                  nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWMAXIMIZED);
    LogLine("clock shown " + UnixMicroseconds());
    return 0;
}
