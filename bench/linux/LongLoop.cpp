// Plays a short clip in Pexalo's own window, looping as the player loops it (the window
// answers each end by playing again), and prints the resident memory after given loop
// counts: "rss_after_loops_kib LOOPS KIB". Usage: LongLoop CLIP LOOPS...
#include "Form1Window.h"
#include "Module1.h"
#include "QtText.h"
#include "ResidentMemory.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: LongLoop CLIP LOOPS...\n");
        return 2;
    }
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::vector<long> marks;
    for (int i = 2; i < argc; ++i)
        marks.push_back(std::atol(argv[i]));

    gMediaPath = ToText(QString::fromLocal8Bit(argv[1]));
    PlatformError error;
    const auto window = Form1Window::Create(error);
    if (error) {
        std::fprintf(stderr, "LongLoop: error 0x%08X\n", static_cast<unsigned>(error.code));
        return 1;
    }
    // Read once before the loops, so that the reader's own first use is not counted as growth.
    ResidentKilobytes();
    long loops = 0;
    std::size_t next = 0;
    QObject::connect(&window->RealAudio1(), &MediaEngine::StateChange, [&](qint32 state) {
        if (state != static_cast<qint32>(EngineState::Stopped))
            return;
        if (++loops != marks[next])
            return;
        std::printf("rss_after_loops_kib %ld %ld\n", loops, ResidentKilobytes());
        std::fflush(stdout);
        if (++next == marks.size())
            app.quit();
    });
    window->showMaximized();
    return app.exec();
}
