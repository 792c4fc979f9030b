// Starts a player and watches the middle of an X screen: prints the milliseconds from the
// start to the first saturated (video) pixel there, then the player's resident memory after
// it has played for a while, then ends it. Usage: first-frame-probe COMMAND [ARGS...]
// The clip must be colourful in the middle; an empty screen and window backgrounds are grey.
#include "ResidentMemory.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kSquare = 16;
constexpr auto kTimeout = std::chrono::seconds(30);
constexpr auto kPlayBeforeMeasuring = std::chrono::seconds(2);

bool Saturated(XImage* image)
{
    for (int y = 0; y < image->height; ++y)
        for (int x = 0; x < image->width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (std::max({r, g, b}) - std::min({r, g, b}) > 100)
                return true;
        }
    return false;
}

bool VideoInMiddle(Display* display)
{
    Screen* screen = DefaultScreenOfDisplay(display);
    XImage* image = XGetImage(display, RootWindowOfScreen(screen), (screen->width - kSquare) / 2,
                              (screen->height - kSquare) / 2, kSquare, kSquare, AllPlanes, ZPixmap);
    if (!image)
        return false;
    const bool found = Saturated(image);
    XDestroyImage(image);
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: first-frame-probe COMMAND [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first-frame-probe: no X display\n");
        return 2;
    }
    // The window of the run before may take a moment to go.
    const auto settle = std::chrono::steady_clock::now();
    while (VideoInMiddle(display)) {
        if (std::chrono::steady_clock::now() - settle > std::chrono::seconds(5)) {
            std::fprintf(stderr, "first-frame-probe: the screen is not empty\n");
            return 2;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    bool shown = false;
    while (!(shown = VideoInMiddle(display)) && std::chrono::steady_clock::now() - start < kTimeout)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const auto elapsed = std::chrono::steady_clock::now() - start;

    long rss = -1;
    if (shown) {
        std::this_thread::sleep_for(kPlayBeforeMeasuring);
        rss = ResidentKilobytes(std::to_string(pid));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    if (!shown) {
        std::fprintf(stderr, "first-frame-probe: no video within %lld s\n", static_cast<long long>(kTimeout.count()));
        return 1;
    }
    std::printf("%lld %ld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()), rss);
    return 0;
}
