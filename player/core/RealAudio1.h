#pragma once
// What Form1 knows of its media control: how it is named, the members it calls and
// binds, and the state the control is created with.
#include <array>
#include <cstdint>

inline constexpr char16_t kRealAudio1Clsid[] = u"{CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}";
inline constexpr char16_t kRealAudio1ProgId[] = u"RealAudioObjectsCtl.RealAudio";

inline constexpr std::int32_t kDispIdAutoStart = 277;   // Boolean
inline constexpr std::int32_t kDispIdSource = 215;      // the media path
inline constexpr std::int32_t kDispIdPlay = 257;        // no arguments
inline constexpr std::int32_t kDispIdStateChange = 1031; // event, one 32-bit state

// The control's events that the window binds; only the state change is answered.
inline constexpr std::array<std::int32_t, 29> kRealAudio1EventDispIds = {
    301,  302,  303,  304,  1005, 1007, 1008, 1009, 1010, 1011, 1013, 1014, 1015, 1016, 1017,
    1018, 1019, 1020, 1021, 1031, 1032, 1034, 1035, 1037, 1038, 1039, 1040, 1041, 1042};

inline constexpr std::size_t kPersistedStateSize = 102;
using PersistedState = std::array<std::uint8_t, kPersistedStateSize>;

// The framing of the control's persistence format, little-endian throughout: header
// marker, extent pair length, extent, settings marker, then counted texts and flags.
inline constexpr std::uint32_t kPersistedHeaderMarker = 0x12344321;
inline constexpr std::uint32_t kPersistedSettingsMarker = 12345679;
inline constexpr std::uint32_t kPersistedExtentPairLength = 8;
inline constexpr std::size_t kPersistedFlagCount = 13;

// The control's own persistence format, handed to it unread when it is created.
PersistedState RealAudio1PersistedState();
