#pragma once

#include <cstdint>

// The virtual clock every headless run keeps: the capture tool, the benchmark and the page's fixed
// frames start it at the same reading and move it 40 ms a frame, so a frame number names the
// same picture in all of them.
constexpr uint32_t VirtualClockStart = 100000;  // ms
constexpr uint32_t ShowFrameStep = 40;          // ms

// The show's length on that clock, the same for both programs whatever keys are pressed and
// wherever the clock starts: frame n is drawn at 40 n ms, and the show ends with frame 2988 at
// 119.52 s, which is on screen until 119.56 s. A capture that plays the show to its end fails
// when this no longer holds, so the option checks cannot go stale.
constexpr uint32_t ShowFrames = 2989;
constexpr uint32_t LastFrameTime = (ShowFrames - 1) * ShowFrameStep;  // ms
constexpr uint32_t ShowEndTime = ShowFrames * ShowFrameStep;          // ms
