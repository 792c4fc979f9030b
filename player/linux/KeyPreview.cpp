#include "KeyPreview.h"

#include <QCoreApplication>
#include <QKeyEvent>

KeyPreview::KeyPreview(Handler handler) : handler_(std::move(handler))
{
    QCoreApplication::instance()->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    // A key reaches a window once, then each widget it propagates to: the window sees it first.
    if (event->type() != QEvent::KeyPress || !watched->isWindowType())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    // Keys that produce a character, as the character code; Escape produces 27.
    if (!key->text().isEmpty()) {
        std::int16_t keyAscii = static_cast<std::int16_t>(key->text().front().unicode());
        handler_(keyAscii);
    }
    return false;
}
