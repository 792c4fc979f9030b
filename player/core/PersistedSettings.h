#pragma once
// Reads the media control's persisted state, the stream that RealAudio1 writes and the window
// hands the control when it is created, and the look it asks for. Bounds-checked on every
// read, so that any byte sequence is safe input.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct PersistedSettings {
    std::uint32_t extentWidth = 0;   // 0.01 mm
    std::uint32_t extentHeight = 0;
    std::string controls;            // which parts the engine shows; "ImageWindow" = video only
    std::uint32_t backgroundRgb = 0; // from "#RRGGBB"
};

inline constexpr std::string_view kVideoOnlyControls = "ImageWindow";

// Nothing when the stream is not exactly one well-formed state.
std::optional<PersistedSettings> ParsePersistedState(std::span<const std::uint8_t> stream);

struct EngineLook {
    std::string background;  // "#rrggbb"
    bool videoOnly = false;
    bool operator==(const EngineLook&) const = default;
};

// The look that the persisted state asks for; the defaults when it cannot be read.
EngineLook LookFromPersistedState(std::span<const std::uint8_t> state, const std::string& defaultBackground);
