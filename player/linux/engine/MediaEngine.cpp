#include "MediaEngine.h"

#include "RealAudio1.h"
#include "QtText.h"
#include "Twips.h"
#include "VideoSurface.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QResizeEvent>

namespace {

// The codes an automation object answers a bad call with.
constexpr PlatformError kMemberNotFound{0x80020003};
constexpr PlatformError kTypeMismatch{0x80020005};
constexpr PlatformError kBadParamCount{0x8002000E};
constexpr PlatformError kFail{0x80004005};

enum ObservedProperty : std::uint64_t { kPause = 1, kEofReached, kPlaybackTime };

} // namespace

MediaEngine::MediaEngine(QWidget* parent, EngineLook look) : QWidget(parent), look_(std::move(look))
{
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(QString::fromStdString(look_.background)));
    background.setColor(QPalette::WindowText, Qt::gray);
    setPalette(background);
    setAutoFillBackground(true);

    failure_ = new QLabel(this);
    failure_->setAlignment(Qt::AlignCenter);
    failure_->setWordWrap(true);
    failure_->setTextFormat(Qt::PlainText);
    failure_->hide();
}

std::unique_ptr<MediaEngine> MediaEngine::Create(QWidget* parent, std::span<const std::uint8_t> persistedState,
                                                 PlatformError& error)
{
    // Without a readable state the engine takes the colours of the desktop it runs on.
    const QColor defaultBackground = QGuiApplication::palette().color(QPalette::Window);
    std::unique_ptr<MediaEngine> engine(
        new MediaEngine(parent, LookFromPersistedState(persistedState, defaultBackground.name().toStdString())));
    error = engine->Initialise();
    if (error)
        engine.reset();
    return engine;
}

PlatformError MediaEngine::Initialise()
{
    mpv_.reset(mpv_create());
    if (!mpv_)
        return kFail;

    ApplyEngineOptions(mpv_.get(), look_);
    mpv_observe_property(mpv_.get(), kPause, "pause", MPV_FORMAT_FLAG);
    mpv_observe_property(mpv_.get(), kEofReached, "eof-reached", MPV_FORMAT_FLAG);
    mpv_observe_property(mpv_.get(), kPlaybackTime, "playback-time", MPV_FORMAT_DOUBLE);

    // libmpv calls this from its own thread: only queue the draining onto the GUI thread.
    mpv_set_wakeup_callback(
        mpv_.get(),
        [](void* engine) {
            auto* self = static_cast<MediaEngine*>(engine);
            QMetaObject::invokeMethod(self, [self] { self->DrainEvents(); }, Qt::QueuedConnection);
        },
        this);
    if (mpv_initialize(mpv_.get()) < 0)
        return kFail;
    // Before any source is loaded: the engine shows video only through a render context.
    video_ = VideoSurface::Create(mpv_.get(), this);
    if (!video_)
        return kFail;
    return {};
}

MediaEngine::~MediaEngine() = default;

PlatformError MediaEngine::Invoke(std::int32_t dispId, std::span<const Variant> args)
{
    switch (dispId) {
    case kDispIdAutoStart:
        if (args.size() != 1)
            return kBadParamCount;
        if (args[0].ValueType() != VarType::Bool)
            return kTypeMismatch;
        autoStart_ = args[0].AsBool() != VariantFalse;
        return {};
    case kDispIdSource:
        if (args.size() != 1)
            return kBadParamCount;
        if (args[0].ValueType() != VarType::BStr)
            return kTypeMismatch;
        source_ = ToQString(args[0].AsString());
        Load();
        return {};
    case kDispIdPlay:
        if (!args.empty())
            return kBadParamCount;
        Play();
        return {};
    default:
        return kMemberNotFound;
    }
}

PlatformError MediaEngine::SetWidth(float twips)
{
    resize(TwipsToPixels(twips, logicalDpiX()), height());
    return {};
}

PlatformError MediaEngine::SetHeight(float twips)
{
    resize(width(), TwipsToPixels(twips, logicalDpiY()));
    return {};
}

void MediaEngine::resizeEvent(QResizeEvent* event)
{
    const QRect whole(QPoint(0, 0), event->size());
    video_->setGeometry(whole);
    failure_->setGeometry(whole);
}

void MediaEngine::Load()
{
    failed_ = false;
    loaded_ = false;
    endReached_ = false;
    failure_->hide();
    video_->show();
    mpv_set_property_string(mpv_.get(), "pause", autoStart_ ? "no" : "yes");
    const QByteArray path = QFile::encodeName(source_);
    const char* command[] = {"loadfile", path.constData(), "replace", nullptr};
    const int status = mpv_command(mpv_.get(), command);
    if (status < 0)
        ShowFailure(mpv_error_string(status));
    ReportState();
}

void MediaEngine::Play()
{
    if (source_.isEmpty())
        return;
    // An explicit request to play a source that failed tries it once more.
    if (failed_) {
        autoStart_ = true;
        Load();
        return;
    }
    if (endReached_) {
        const char* command[] = {"seek", "0", "absolute", nullptr};
        mpv_command(mpv_.get(), command);
        progressed_ = false;
    }
    mpv_set_property_string(mpv_.get(), "pause", "no");
}

void MediaEngine::DrainEvents()
{
    for (;;) {
        const mpv_event* event = mpv_wait_event(mpv_.get(), 0);
        switch (event->event_id) {
        case MPV_EVENT_NONE:
            return;
        case MPV_EVENT_START_FILE:
            loaded_ = false;
            endReached_ = false;
            progressed_ = false;
            break;
        case MPV_EVENT_FILE_LOADED:
            loaded_ = true;
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event->data);
            if (end->reason == MPV_END_FILE_REASON_ERROR)
                ShowFailure(mpv_error_string(end->error));
            break;
        }
        case MPV_EVENT_PROPERTY_CHANGE:
            PropertyChanged(event->reply_userdata, *static_cast<const mpv_event_property*>(event->data));
            break;
        default:
            break;
        }
        ReportState();
    }
}

void MediaEngine::PropertyChanged(std::uint64_t which, const mpv_event_property& property)
{
    if (property.format == MPV_FORMAT_DOUBLE && which == kPlaybackTime) {
        progressed_ = progressed_ || *static_cast<const double*>(property.data) > 0;
        return;
    }
    if (property.format != MPV_FORMAT_FLAG)
        return;
    const bool on = *static_cast<const int*>(property.data) != 0;
    if (which == kPause)
        paused_ = on;
    if (which != kEofReached)
        return;
    endReached_ = on;
    // A source that ends without having played anything would otherwise be played again
    // and again as fast as it ends.
    if (on && loaded_ && !progressed_)
        ShowFailure("nothing in it could be played");
}

void MediaEngine::ShowFailure(const char* reason)
{
    QString why = QString::fromUtf8(reason);
    // The system's own words say more than "loading failed" when the file cannot even be read.
    QFile file(source_);
    if (!file.open(QIODevice::ReadOnly))
        why = file.errorString();
    failed_ = true;
    video_->hide();
    failure_->setText(source_ + QLatin1Char('\n') + why);
    failure_->show();
}

QString MediaEngine::FailureText() const
{
    return failed_ ? failure_->text() : QString();
}

std::string MediaEngine::Property(const char* name) const
{
    char* value = mpv_get_property_string(mpv_.get(), name);
    std::string text = value ? value : "";
    mpv_free(value);
    return text;
}

void MediaEngine::ReportState()
{
    const EngineState state = failed_     ? EngineState::Failed
                              : !loaded_  ? EngineState::Opening
                              : endReached_ ? EngineState::Stopped
                              : paused_   ? EngineState::Paused
                                          : EngineState::Playing;
    if (anyReported_ && state == reported_)
        return;
    anyReported_ = true;
    reported_ = state;
    // Raised from the event loop, so that the window may call straight back into the engine.
    QMetaObject::invokeMethod(
        this, [this, state] { emit StateChange(static_cast<qint32>(state)); }, Qt::QueuedConnection);
}
