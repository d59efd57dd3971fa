#pragma once

#include <cstdint>

// The stored track: interleaved 16-bit stereo at an unusual 37,800 Hz, 119.35 s long.
namespace track {

inline constexpr int kSampleRate = 37800;
inline constexpr int64_t kFrames = 4511423;
inline constexpr int64_t kBytes = kFrames * 4;

inline int64_t FrameAt(double seconds) { return static_cast<int64_t>(seconds * kSampleRate); }

}  // namespace track
