// Pexalo on Linux: Qt Widgets and libmpv around the portable player core.
#include "ArgumentText.h"
#include "ErrorReport.h"
#include "LinuxStartup.h"
#include "QtApplication.h"
#include "QtTranslations.h"

#include <clocale>
#include <cstdio>

int main(int argc, char** argv)
{
    const std::span<const char* const> arguments(argv + 1, static_cast<std::size_t>(argc - 1));
    if (const auto reply = SwitchReply(arguments)) {
        std::fputs(reply->c_str(), stdout);
        return 0;
    }
    const Text argumentText = JoinArguments(arguments);
    // Qt sees only the program's name: every argument is part of the path, none a Qt option.
    int qtArgc = 1;
    // A Wayland session finds the window's desktop entry, and so its name and icon, by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("pexalo"));
    // The window is frameless, so no frame to draw: without this Qt's Wayland client loads EGL
    // at the first window just to learn whether it could draw one (tens of MiB with software
    // OpenGL).
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
    // Where no sound server answers, the engine tries SDL for sound, which would take SIGINT
    // and SIGTERM for events that nobody reads: the player would not end when told to. Set
    // here, before any thread may read the environment.
    if (!qEnvironmentVariableIsSet("SDL_NO_SIGNAL_HANDLERS"))
        qputenv("SDL_NO_SIGNAL_HANDLERS", "1");
    const auto app = OpenApplication(qtArgc, argv, kPexaloReport);
    // libmpv parses numbers with the C locale's decimal point.
    std::setlocale(LC_NUMERIC, "C");
    const QtTranslations translations(QLocale::system());

    LinuxStartup startup(argumentText);
    Main(startup);
    if (startup.Ended())
        return 0;
    const int status = app->exec();
    return status != 0 ? status : startup.ExitStatus();
}
