#include "ClipList.h"

#include <utility>

ClipList::Step ClipList::Start(std::string_view source, std::vector<ClipLocation> clips, std::string_view failure)
{
    // A source that gives no list is this pass's one failure.
    clips_ = failure.empty() ? std::move(clips) : std::vector<ClipLocation>();
    current_ = 0;
    NewPass();
    if (!failure.empty())
        Record({std::string(source), std::string(failure)});
    return OpenFrom(0);
}

void ClipList::NewPass()
{
    played_ = false;
    failures_.clear();
}

ClipList::Step ClipList::OpenFrom(std::size_t index)
{
    for (; index < clips_.size(); ++index) {
        current_ = index;
        const ClipLocation& clip = clips_[index];
        if (clip.kind == ClipLocation::Kind::Unsupported) {
            const bool nul = clip.text.find('\0') != std::string::npos;
            Skip(nul ? "holds a NUL byte, which no name can hold" : "not a location that Pexalo opens");
            continue;
        }
        // Refused before the engine could wait on it: a FIFO, a device, a missing file.
        if (const std::string why = ports_.WhyUnreadable(clip); !why.empty()) {
            Skip(why);
            continue;
        }
        phase_ = Phase::Opening;
        return Step::Open;
    }
    // The end of the list: Form1 answers Stopped by playing it again; a list of which
    // nothing played is shown instead, so that nothing retries it as fast as it fails.
    phase_ = played_ ? Phase::Ended : Phase::AllFailed;
    return played_ ? Step::Nothing : Step::ShowFailures;
}

ClipList::Step ClipList::ClipFailed(std::string_view reason)
{
    if (phase_ != Phase::Opening && phase_ != Phase::Loaded)
        return Step::Nothing;
    Skip(reason);
    return OpenFrom(current_ + 1);
}

void ClipList::Skip(std::string_view reason)
{
    const ClipLocation& clip = clips_[current_];
    // The system's own words say more than "loading failed" when a file cannot even be read.
    std::string why = ports_.WhyUnreadable(clip);
    if (why.empty())
        why = reason;
    if (clip.kind == ClipLocation::Kind::Url && !engineWarning_.empty())
        why += ": " + engineWarning_;
    Record({clip.text, std::move(why)});
}

void ClipList::Record(ClipFailure failure)
{
    failures_.push_back(std::move(failure));
    anyFailed_ = true;
    ports_.Skipped(failures_.back());
}

void ClipList::ClipStarted()
{
    if (phase_ != Phase::AllFailed)
        phase_ = Phase::Opening;
    progressed_ = false;
    engineWarning_.clear();
}

ClipList::Step ClipList::ClipLoaded()
{
    if (phase_ != Phase::AllFailed)
        phase_ = Phase::Loaded;
    // Once more: the previous clip's end may pause the engine after this one was asked for.
    return autoStart_ ? Step::Resume : Step::Pause;
}

void ClipList::EngineWarned(std::string_view text)
{
    if (engineWarning_.empty())
        engineWarning_ = text;
}

void ClipList::TimeChanged(double seconds)
{
    progressed_ = progressed_ || seconds > 0;
}

ClipList::Step ClipList::EndReached(bool reached)
{
    if (!reached) {
        if (phase_ == Phase::Ended)
            phase_ = Phase::Loaded;  // rewound
        return Step::Nothing;
    }
    // An end while the next clip opens is the previous clip's.
    if (phase_ != Phase::Loaded)
        return Step::Nothing;
    // A clip that ends without having played anything is a failure like any other.
    if (!progressed_)
        return ClipFailed("nothing in it could be played");
    played_ = true;
    return OpenFrom(current_ + 1);
}

ClipList::Step ClipList::Play()
{
    // From an explicit request on, every clip of the list starts playing as it opens.
    autoStart_ = true;
    switch (phase_) {
    case Phase::AllFailed:
        return Step::ReadSource;  // a source that failed is tried once more
    case Phase::Ended:
        // A list plays again from its first clip, one clip from its start.
        if (clips_.size() > 1) {
            NewPass();
            return OpenFrom(0);
        }
        progressed_ = false;
        return Step::Rewind;
    case Phase::Opening:
    case Phase::Loaded:
        break;
    }
    return Step::Resume;
}

EngineState ClipList::State() const
{
    switch (phase_) {
    case Phase::Opening:
        return EngineState::Opening;
    case Phase::Loaded:
        return paused_ ? EngineState::Paused : EngineState::Playing;
    case Phase::Ended:
        return EngineState::Stopped;
    case Phase::AllFailed:
        break;
    }
    return EngineState::Failed;
}

std::optional<EngineState> ClipList::Report()
{
    const EngineState state = State();
    if (reported_ == state)
        return std::nullopt;
    reported_ = state;
    return state;
}
