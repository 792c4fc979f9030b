#include "MediaEngine.h"

#include "ErrorReport.h"
#include "LinuxFileNames.h"
#include "RealAudio1.h"
#include "Twips.h"
#include "VideoSurface.h"

#include <QGuiApplication>
#include <QLabel>
#include <QResizeEvent>

#include <utility>

namespace {

// The codes an automation object answers a bad call with.
constexpr PlatformError kMemberNotFound{0x80020003};
constexpr PlatformError kTypeMismatch{0x80020005};
constexpr PlatformError kBadParamCount{0x8002000E};
constexpr PlatformError kFail{0x80004005};

enum ObservedProperty : std::uint64_t { kPause = 1, kEofReached, kPlaybackTime };

// "location\nreason"; a NUL is shown as such, rather than ending the text early.
QString Shown(const ClipFailure& failure)
{
    return QString::fromUtf8(failure.location).replace(QChar(u'\0'), QLatin1String("\\0")) + QLatin1Char('\n') +
           QString::fromUtf8(failure.why);
}

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

    if (const std::string refused = ApplyEngineOptions(mpv_.get(), look_); !refused.empty()) {
        NoteErrorCause("the media engine refuses an option that keeps a file only media: " + refused);
        return kFail;
    }
    mpv_observe_property(mpv_.get(), kPause, "pause", MPV_FORMAT_FLAG);
    mpv_observe_property(mpv_.get(), kEofReached, "eof-reached", MPV_FORMAT_FLAG);
    mpv_observe_property(mpv_.get(), kPlaybackTime, "playback-time", MPV_FORMAT_DOUBLE);
    // The engine's own account of a failure says more than its error code.
    mpv_request_log_messages(mpv_.get(), "warn");

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
        list_.SetAutoStart(args[0].AsBool() != VariantFalse);
        return {};
    case kDispIdSource:
        if (args.size() != 1)
            return kBadParamCount;
        if (args[0].ValueType() != VarType::BStr)
            return kTypeMismatch;
        source_ = FileNameFromText(args[0].AsString());
        Carry(ClipList::Step::ReadSource);
        return {};
    case kDispIdPlay:
        if (!args.empty())
            return kBadParamCount;
        if (!source_.empty())
            Carry(list_.Play());
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

void MediaEngine::Carry(ClipList::Step step)
{
    using Step = ClipList::Step;
    while (step == Step::ReadSource || step == Step::Open)
        step = step == Step::ReadSource ? ReadSource() : OpenCurrent();
    switch (step) {
    case Step::ShowFailures:
        ShowFailures();
        break;
    case Step::Rewind: {
        const char* command[] = {"seek", "0", "absolute", nullptr};
        mpv_command_async(mpv_.get(), 0, command);
        SetPause(false);
        break;
    }
    case Step::Pause:
    case Step::Resume:
        SetPause(step == Step::Pause);
        break;
    case Step::Nothing:
    case Step::ReadSource:
    case Step::Open:
        break;
    }
    ReportState();
}

ClipList::Step MediaEngine::ReadSource()
{
    failure_->hide();
    video_->show();
    SourceLocations found = LocationsOfSource(source_);
    return list_.Start(source_, std::move(found.locations), found.failure);
}

ClipList::Step MediaEngine::OpenCurrent()
{
    const ClipLocation& clip = list_.Current();
    if (const int status = RestrictProtocols(mpv_.get(), ProtocolsOf(clip)); status < 0)
        return list_.ClipFailed(mpv_error_string(status));
    SetPause(!list_.PlaysAtOnce());
    const char* command[] = {"loadfile", clip.text.c_str(), "replace", nullptr};
    if (const int status = mpv_command(mpv_.get(), command); status < 0)
        return list_.ClipFailed(mpv_error_string(status));
    return ClipList::Step::Nothing;
}

std::string MediaEngine::WhyUnreadable(const ClipLocation& clip)
{
    return ::WhyUnreadable(clip);
}

void MediaEngine::Skipped(const ClipFailure& failure)
{
    const QString shown = Shown(failure);
    kPexaloReport.Say(shown.toStdString());
    // Shown over the picture for a while, as the list goes on to its next clip.
    const QByteArray text = shown.toUtf8();
    const char* command[] = {"show-text", text.constData(), "6000", "0", nullptr};
    mpv_command_async(mpv_.get(), 0, command);
}

void MediaEngine::SetPause(bool pause)
{
    int flag = pause;
    mpv_set_property_async(mpv_.get(), 0, "pause", MPV_FORMAT_FLAG, &flag);
}

void MediaEngine::DrainEvents()
{
    for (;;) {
        const mpv_event* event = mpv_wait_event(mpv_.get(), 0);
        switch (event->event_id) {
        case MPV_EVENT_NONE:
            // The engine hands over its messages after its events: only now are all of the
            // failed clip's in.
            if (const char* failure = std::exchange(pendingFailure_, nullptr))
                Carry(list_.ClipFailed(failure));
            return;
        case MPV_EVENT_START_FILE:
            list_.ClipStarted();
            break;
        case MPV_EVENT_FILE_LOADED:
            Carry(list_.ClipLoaded());
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event->data);
            if (end->reason == MPV_END_FILE_REASON_ERROR)
                pendingFailure_ = mpv_error_string(end->error);
            break;
        }
        case MPV_EVENT_LOG_MESSAGE: {
            const auto* message = static_cast<const mpv_event_log_message*>(event->data);
            list_.EngineWarned(QByteArray(message->text).trimmed().toStdString());
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
        list_.TimeChanged(*static_cast<const double*>(property.data));
        return;
    }
    if (property.format != MPV_FORMAT_FLAG)
        return;
    const bool on = *static_cast<const int*>(property.data) != 0;
    if (which == kPause)
        list_.PauseChanged(on);
    if (which == kEofReached)
        Carry(list_.EndReached(on));
}

void MediaEngine::ShowFailures()
{
    video_->hide();
    failure_->setText(FailureText());
    failure_->show();
}

QString MediaEngine::FailureText() const
{
    QStringList shown;
    for (const ClipFailure& failure : list_.Failures())
        shown << Shown(failure);
    return shown.join(QLatin1Char('\n'));
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
    const std::optional<EngineState> state = list_.Report();
    if (!state)
        return;
    // Raised from the event loop, so that the window may call straight back into the engine.
    QMetaObject::invokeMethod(
        this, [this, state = *state] { emit StateChange(static_cast<qint32>(state)); }, Qt::QueuedConnection);
}
