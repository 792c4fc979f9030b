#pragma once
// The player window's decisions; the platform supplies the window and the control.
#include "FileNames.h"
#include "PlatformError.h"
#include "Variant.h"

#include <cstdint>
#include <span>

// The media control, reached by dispatch identifier.
struct MediaControl {
    virtual PlatformError Invoke(std::int32_t dispId, std::span<const Variant> args) = 0;
    // The size of the control's site in the window, in twips.
    virtual PlatformError SetWidth(float twips) = 0;
    virtual PlatformError SetHeight(float twips) = 0;

protected:
    ~MediaControl() = default;
};

struct PlayerWindow {
    virtual float WidthTwips() const = 0;
    virtual float HeightTwips() const = 0;
    virtual const FileNameRule& FileNames() const = 0;
    // Ends the process at once: no further event runs, nothing is unloaded.
    virtual void EndProcessNow() = 0;
    virtual void ReportErrorAndEnd(PlatformError error) = 0;

protected:
    ~PlayerWindow() = default;
};

inline constexpr std::int16_t kKeyEscape = 27;

class Form1 {
public:
    Form1(PlayerWindow& window, MediaControl& realAudio1) : window_(window), realAudio1_(realAudio1) {}

    void Form_Load();
    void Form_Resize();
    void Form_KeyPress(std::int16_t& keyAscii);
    // The control's state-change event; the platform delivers it from its message
    // loop, never from inside the control's own call.
    void RealAudio1_StateChange(std::int32_t state);

private:
    bool Succeeded(PlatformError error);
    bool ResizeControl();

    PlayerWindow& window_;
    MediaControl& realAudio1_;
};
