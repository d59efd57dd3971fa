#pragma once

#include <cstdint>

// The show's length on the capture tool's clock, the same for both programs whatever keys are
// pressed and wherever the clock starts: frame n is drawn at 40 n ms, and the show ends with frame
// 2988 at 119.52 s, which is on screen until 119.56 s. A capture that plays the show to its end
// fails when this no longer holds, so the option checks cannot go stale.
constexpr uint32_t ShowFrames = 2989;
constexpr uint32_t ShowFrameStep = 40;                                // ms
constexpr uint32_t LastFrameTime = (ShowFrames - 1) * ShowFrameStep;  // ms
constexpr uint32_t ShowEndTime = ShowFrames * ShowFrameStep;          // ms
