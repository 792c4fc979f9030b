#pragma once
// The player's media control on Linux: our own stand-in for the ActiveX control, built on
// libmpv and reached through the same dispatch interface.
//  - 277 (Boolean): start playing as soon as a source is set.
//  - 215 (string): the source path; loading starts at once.
//  - 257 (none): play; from the start when playback has reached the end.
//  - event 1031 (state): raised from the Qt event loop, never inside one of these calls;
//    0 = stopped at the end of the file. A source that cannot be played is shown in the
//    window (path and reason) and raises Failed, so nothing answers it by playing again;
//    so does a source that reaches its end without having played anything.
// Not supported: on-screen controls, volume, seeking from the window, other members.
#include "EngineOptions.h"
#include "Form1.h"
#include "MpvHandle.h"

#include <QWidget>

#include <memory>
#include <span>

class QLabel;
class VideoSurface;

enum class EngineState : std::int32_t { Stopped = 0, Opening = 1, Playing = 3, Paused = 4, Failed = 5 };

class MediaEngine final : public QWidget, public MediaControl {
    Q_OBJECT
public:
    // Nothing, with the error, when libmpv cannot be set up.
    static std::unique_ptr<MediaEngine> Create(QWidget* parent, std::span<const std::uint8_t> persistedState,
                                               PlatformError& error);
    ~MediaEngine() override;

    PlatformError Invoke(std::int32_t dispId, std::span<const Variant> args) override;
    PlatformError SetWidth(float twips) override;
    PlatformError SetHeight(float twips) override;

    // What the window shows instead of video when the source cannot be played.
    QString FailureText() const;
    // An engine property as text, for tests and diagnostics.
    std::string Property(const char* name) const;

signals:
    void StateChange(qint32 state);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    MediaEngine(QWidget* parent, EngineLook look);
    PlatformError Initialise();
    void DrainEvents();
    void Load();
    void Play();
    void PropertyChanged(std::uint64_t which, const mpv_event_property& property);
    void ShowFailure(const char* reason);
    void ReportState();

    EngineLook look_;
    MpvHandle mpv_;
    // Goes before the engine's core, as its render context must.
    std::unique_ptr<VideoSurface> video_;
    QLabel* failure_ = nullptr;
    QString source_;
    bool autoStart_ = false;
    bool loaded_ = false;
    bool paused_ = false;
    bool endReached_ = false;
    bool progressed_ = false;  // the position has moved since the source started or restarted
    bool failed_ = false;
    EngineState reported_ = EngineState::Opening;
    bool anyReported_ = false;
};
