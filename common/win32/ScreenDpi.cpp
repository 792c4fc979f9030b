#include "ScreenDpi.h"

#include <windows.h>

ScreenDpi ReadScreenDpi()
{
    ScreenDpi dpi;
    if (HDC screen = GetDC(nullptr)) {
        if (const int x = GetDeviceCaps(screen, LOGPIXELSX); x > 0)
            dpi.x = x;
        if (const int y = GetDeviceCaps(screen, LOGPIXELSY); y > 0)
            dpi.y = y;
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}
