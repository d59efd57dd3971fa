#pragma once

#include <cstdint>

// Where an object stands on a path after elapsed milliseconds: elapsed / duration in double,
// rounded to float. Not clamped: past the duration the cubic is extrapolated.
inline float PathParameter(uint32_t elapsed, uint32_t duration) {
    return static_cast<float>(static_cast<double>(elapsed) / static_cast<double>(duration));
}
