#pragma once
// The clips of one source as the media engine plays them, in order and again: which clip
// opens next, when one counts as played or is skipped with its reason, when the list has
// ended, and when nothing in it played. The engine's adapter reports what its engine did and
// carries out the step it is handed back; nothing here waits or touches the engine.
#include "RamMetafile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The control's state event (1031). Form1 answers Stopped by playing again.
enum class EngineState : std::int32_t { Stopped = 0, Opening = 1, Playing = 3, Paused = 4, Failed = 5 };

struct ClipFailure {
    std::string location;  // the clip's, or the source's when it gives no list
    std::string why;
};

// What the list needs of its platform.
struct ClipListPorts {
    // Why a local clip cannot be read; empty when it can, or is no path. Never blocks.
    virtual std::string WhyUnreadable(const ClipLocation& clip) = 0;
    // A clip was skipped, or the source gave nothing to open: shown as it happens.
    virtual void Skipped(const ClipFailure& failure) = 0;

protected:
    ~ClipListPorts() = default;
};

class ClipList {
public:
    enum class Phase {
        Opening,    // a clip is handed to the engine and not loaded yet
        Loaded,     // a clip is loaded: playing or paused, as the engine's pause says
        Ended,      // the list has played to its end
        AllFailed,  // nothing in this pass played; every reason is shown
    };
    // What the adapter does next.
    enum class Step {
        Nothing,
        Open,          // hand the engine Current(), paused unless PlaysAtOnce(); ClipFailed if it refuses
        ShowFailures,  // Failures() instead of the picture
        ReadSource,    // read the source again and Start over
        Pause,
        Resume,
        Rewind,  // back to the clip's start, then Resume
    };

    explicit ClipList(ClipListPorts& ports) : ports_(ports) {}

    // A pass over a source's clips; `failure` says why the source gives none, empty when it does.
    Step Start(std::string_view source, std::vector<ClipLocation> clips, std::string_view failure);
    // The engine refused or lost the current clip.
    Step ClipFailed(std::string_view reason);
    void ClipStarted();
    Step ClipLoaded();
    // The engine's own account of trouble; the first since the clip started is kept.
    void EngineWarned(std::string_view text);
    void TimeChanged(double seconds);
    void PauseChanged(bool paused) { paused_ = paused; }
    // The engine is at, or has left, the end of the loaded clip.
    Step EndReached(bool reached);
    void SetAutoStart(bool autoStart) { autoStart_ = autoStart; }
    Step Play();

    const ClipLocation& Current() const { return clips_[current_]; }
    bool PlaysAtOnce() const { return autoStart_; }
    EngineState State() const;
    // The state when it differs from the one last reported, so that each change is raised once.
    std::optional<EngineState> Report();
    // Every failure of this pass, in order.
    const std::vector<ClipFailure>& Failures() const { return failures_; }
    bool AnyFailed() const { return anyFailed_; }

private:
    void NewPass();
    // The first clip from `index` on that may be handed to the engine, or the list's end.
    Step OpenFrom(std::size_t index);
    void Skip(std::string_view reason);
    void Record(ClipFailure failure);

    ClipListPorts& ports_;
    std::vector<ClipLocation> clips_;
    std::size_t current_ = 0;
    Phase phase_ = Phase::Opening;
    bool autoStart_ = false;
    bool paused_ = false;
    bool progressed_ = false;  // the position has moved since the clip started or rewound
    bool played_ = false;      // a clip of this pass played to its end
    std::string engineWarning_;
    std::vector<ClipFailure> failures_;
    bool anyFailed_ = false;
    std::optional<EngineState> reported_;
};
