#include "QtApplication.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// Qt's messages while it looks for a display: held back, and dropped if there is none.
std::vector<HeldMessage> gHeld;
// The name the program calls itself by in its one line.
QByteArray gProgram;

const char* EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "unset";
}

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: no display to open a window on (DISPLAY %s, WAYLAND_DISPLAY %s)\n",
                     gProgram.constData(), EnvironmentValue("DISPLAY"), EnvironmentValue("WAYLAND_DISPLAY"));
        std::_Exit(1);
    }
    gHeld.push_back({type, context.category, text});
}

} // namespace

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv)
{
    gProgram = argc > 0 ? QByteArray(argv[0]).split('/').last() : QByteArray();
    const QtMessageHandler previous = qInstallMessageHandler(HoldOrEnd);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& message : std::exchange(gHeld, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    return application;
}
