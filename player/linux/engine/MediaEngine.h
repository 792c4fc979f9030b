#pragma once
// The player's media control on Linux: our own stand-in for the ActiveX control, built on
// libmpv and reached through the same dispatch interface.
//  - 277 (Boolean): start playing as soon as a source is set.
//  - 215 (string): the source, a path or URL; loading starts at once. A metafile (.ram)
//    stands for the clips it lists, played in order; a media file only for itself.
//  - 257 (none): play; from the start when playback has reached the end of the list.
//  - event 1031 (state): raised from the Qt event loop, never inside one of these calls;
//    0 = stopped at the end of the list. A clip that cannot be played, or ends without
//    having played anything, is skipped with its reason shown over the picture and on
//    standard error. When nothing in the list plays, the window shows every reason and
//    raises Failed, so nothing answers it by playing again.
// Not supported: on-screen controls, volume, seeking from the window, other members.
#include "ClipList.h"
#include "EngineOptions.h"
#include "Form1.h"
#include "MpvHandle.h"
#include "SourceLocations.h"

#include <QWidget>

#include <memory>
#include <span>

class QLabel;
class VideoSurface;

// Adapts libmpv to the clip list: reports the engine's events to it and carries out its steps.
class MediaEngine final : public QWidget, public MediaControl, private ClipListPorts {
    Q_OBJECT
public:
    // Nothing, with the error, when libmpv cannot be set up.
    static std::unique_ptr<MediaEngine> Create(QWidget* parent, std::span<const std::uint8_t> persistedState,
                                               PlatformError& error);
    ~MediaEngine() override;

    PlatformError Invoke(std::int32_t dispId, std::span<const Variant> args) override;
    PlatformError SetWidth(float twips) override;
    PlatformError SetHeight(float twips) override;

    // Every clip of the list that failed in this pass, with its reason; all the window shows
    // instead of video when nothing played.
    QString FailureText() const;
    // Whether anything failed since the engine was created.
    bool AnyFailed() const { return list_.AnyFailed(); }
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
    void PropertyChanged(std::uint64_t which, const mpv_event_property& property);
    // Carries out the list's step and those it leads to, then reports the state.
    void Carry(ClipList::Step step);
    ClipList::Step ReadSource();
    // Hands the engine the list's current clip; the list's next step when the engine refuses it.
    ClipList::Step OpenCurrent();
    // The GUI thread draws the engine's frames, so it never waits for the engine while a clip
    // plays: the engine may be waiting for a frame to be drawn (libmpv's render API).
    void SetPause(bool pause);
    void ShowFailures();
    void ReportState();
    std::string WhyUnreadable(const ClipLocation& clip) override;
    void Skipped(const ClipFailure& failure) override;

    EngineLook look_;
    MpvHandle mpv_;
    // Goes before the engine's core, as its render context must.
    std::unique_ptr<VideoSurface> video_;
    QLabel* failure_ = nullptr;
    std::string source_;  // file-name bytes
    ClipList list_{*this};
    const char* pendingFailure_ = nullptr;  // why the current clip failed, until its messages are in
};
