#include "QtApplication.h"

#include <cstdlib>
#include <string>
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
// Says the one line when there is no display.
const ProgramReport* gReport = nullptr;

const char* EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "unset";
}

void HoldOrEnd(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        gReport->Say(std::string("no display to open a window on (DISPLAY ") + EnvironmentValue("DISPLAY") +
                     ", WAYLAND_DISPLAY " + EnvironmentValue("WAYLAND_DISPLAY") + ")");
        std::_Exit(1);
    }
    gHeld.push_back({type, context.category, text});
}

} // namespace

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv, const ProgramReport& report)
{
    gReport = &report;
    const QtMessageHandler previous = qInstallMessageHandler(HoldOrEnd);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& message : std::exchange(gHeld, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    return application;
}
