// Pexalo on Linux: Qt Widgets and libmpv around the portable player core.
#include "ArgumentText.h"
#include "LinuxStartup.h"
#include "QtTranslations.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
    const Text argumentText = JoinArguments({argv + 1, static_cast<std::size_t>(argc - 1)});
    // Qt sees only the program's name: every argument is part of the path, none a Qt option.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // libmpv parses numbers with the C locale's decimal point.
    std::setlocale(LC_NUMERIC, "C");
    const QtTranslations translations(QLocale::system());

    LinuxStartup startup(argumentText);
    Main(startup);
    if (startup.Ended())
        return 0;
    return app.exec();
}
