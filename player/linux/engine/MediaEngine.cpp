#include "MediaEngine.h"

#include "ErrorReport.h"
#include "LinuxFileNames.h"
#include "RealAudio1.h"
#include "Twips.h"
#include "VideoSurface.h"

#include <QGuiApplication>
#include <QLabel>
#include <QResizeEvent>

#include <cstdio>
#include <utility>

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
        autoStart_ = args[0].AsBool() != VariantFalse;
        return {};
    case kDispIdSource:
        if (args.size() != 1)
            return kBadParamCount;
        if (args[0].ValueType() != VarType::BStr)
            return kTypeMismatch;
        source_ = FileNameFromText(args[0].AsString());
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
    failure_->hide();
    video_->show();
    locations_ = LocationsOfSource(source_);
    StartPass();
}

void MediaEngine::StartPass()
{
    playedInPass_ = false;
    failuresInPass_.clear();
    if (!locations_.failure.empty()) {
        AddFailure(source_, locations_.failure);
        ShowFailure();
        return;
    }
    OpenFrom(0);
}

void MediaEngine::OpenFrom(std::size_t index)
{
    for (current_ = index; current_ < locations_.locations.size(); ++current_) {
        const ClipLocation& location = locations_.locations[current_];
        if (location.kind == ClipLocation::Kind::Unsupported) {
            const bool nul = location.text.find('\0') != std::string::npos;
            LocationFailed(nul ? "holds a NUL byte, which no name can hold" : "not a location that Pexalo opens");
            continue;
        }
        // Refused before the engine could wait on it: a FIFO, a device, a missing file.
        if (const std::string why = WhyUnreadable(location); !why.empty()) {
            LocationFailed(why.c_str());
            continue;
        }
        if (const int status = RestrictProtocols(mpv_.get(), ProtocolsOf(location)); status < 0) {
            LocationFailed(mpv_error_string(status));
            continue;
        }
        loaded_ = false;
        endReached_ = false;
        ApplyAutoStart();
        const char* command[] = {"loadfile", location.text.c_str(), "replace", nullptr};
        const int status = mpv_command(mpv_.get(), command);
        if (status >= 0) {
            ReportState();
            return;
        }
        LocationFailed(mpv_error_string(status));
    }
    // The end of the list: Form1 answers Stopped by playing it again; a list of which
    // nothing played is shown instead, so that nothing retries it as fast as it fails.
    if (!playedInPass_) {
        ShowFailure();
        return;
    }
    endReached_ = true;
    ReportState();
}

void MediaEngine::ApplyAutoStart()
{
    SetPause(!autoStart_);
}

void MediaEngine::LocationEnded(const char* failure)
{
    if (failure)
        LocationFailed(failure);
    else
        playedInPass_ = true;
    OpenFrom(current_ + 1);
}

void MediaEngine::LocationFailed(const char* reason)
{
    const ClipLocation& location = locations_.locations[current_];
    // The system's own words say more than "loading failed" when a file cannot even be read.
    std::string why = WhyUnreadable(location);
    if (why.empty())
        why = reason;
    if (location.kind == ClipLocation::Kind::Url && !engineError_.empty())
        why += ": " + engineError_;
    AddFailure(location.text, why);
}

void MediaEngine::AddFailure(const std::string& location, const std::string& why)
{
    // A NUL is shown as such, rather than ending the text early.
    const QString shown = QString::fromUtf8(location).replace(QChar(u'\0'), QLatin1String("\\0")) +
                          QLatin1Char('\n') + QString::fromUtf8(why);
    failuresInPass_ << shown;
    anyFailure_ = true;
    std::fprintf(stderr, "Pexalo: %s\n", qPrintable(QString(shown).replace(QLatin1Char('\n'), QLatin1String(": "))));
    // Shown over the picture for a while, as the list goes on to its next clip.
    const QByteArray text = shown.toUtf8();
    const char* command[] = {"show-text", text.constData(), "6000", "0", nullptr};
    mpv_command_async(mpv_.get(), 0, command);
}

void MediaEngine::Play()
{
    if (source_.empty())
        return;
    // From an explicit request on, every clip of the list starts playing as it opens.
    autoStart_ = true;
    // A source that failed is tried once more.
    if (failed_) {
        Load();
        return;
    }
    if (endReached_) {
        // A list plays again from its first clip, one clip from its start.
        if (locations_.locations.size() > 1) {
            StartPass();
            return;
        }
        const char* command[] = {"seek", "0", "absolute", nullptr};
        mpv_command_async(mpv_.get(), 0, command);
        progressed_ = false;
    }
    SetPause(false);
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
                LocationEnded(failure);
            return;
        case MPV_EVENT_START_FILE:
            loaded_ = false;
            endReached_ = false;
            progressed_ = false;
            engineError_.clear();
            break;
        case MPV_EVENT_FILE_LOADED:
            loaded_ = true;
            // Once more: the previous clip's end may pause the engine after the next was asked for.
            ApplyAutoStart();
            break;
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<const mpv_event_end_file*>(event->data);
            if (end->reason == MPV_END_FILE_REASON_ERROR)
                pendingFailure_ = mpv_error_string(end->error);
            break;
        }
        case MPV_EVENT_LOG_MESSAGE: {
            const auto* message = static_cast<const mpv_event_log_message*>(event->data);
            if (engineError_.empty())
                engineError_ = QByteArray(message->text).trimmed().toStdString();
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
    if (which != kEofReached || !loaded_)
        return;
    if (!on) {
        endReached_ = false;
        return;
    }
    // A clip that ends without having played anything is a failure like any other.
    LocationEnded(progressed_ ? nullptr : "nothing in it could be played");
}

void MediaEngine::ShowFailure()
{
    failed_ = true;
    video_->hide();
    failure_->setText(FailureText());
    failure_->show();
    ReportState();
}

QString MediaEngine::FailureText() const
{
    return failuresInPass_.join(QLatin1Char('\n'));
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
                              : endReached_ ? EngineState::Stopped
                              : !loaded_  ? EngineState::Opening
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
