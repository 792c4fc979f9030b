#pragma once
// The window procedure of a window that a C++ object owns: the object passed as the create
// parameter handles its window's messages from WM_NCCREATE on. The owner keeps its window in
// `window_`, clears it once the window is destroyed, and answers `Handle(message, w, l)`.
#include <windows.h>

template <class Owner>
LRESULT CALLBACK OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    // Once destroyed the window is no longer its owner's, but it still is a window until
    // WM_NCDESTROY: the default procedure gets it, never a null one.
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner || owner->window_ != window)
        return DefWindowProcW(window, message, wParam, lParam);
    return owner->Handle(message, wParam, lParam);
}
