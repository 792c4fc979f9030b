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
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key == lastEvent_ && key->timestamp() == lastTimestamp_)
        return false;
    lastEvent_ = key;
    lastTimestamp_ = key->timestamp();
    // Keys that produce a character, as the character code; Escape produces 27.
    if (!key->text().isEmpty()) {
        std::int16_t keyAscii = static_cast<std::int16_t>(key->text().front().unicode());
        handler_(keyAscii);
    }
    return false;
}
