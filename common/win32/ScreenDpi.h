#pragma once
// The screen's logical resolution, in pixels per inch across and down.
struct ScreenDpi {
    int x = 96, y = 96;
};

// 96 on either axis where the screen cannot tell.
ScreenDpi ReadScreenDpi();
