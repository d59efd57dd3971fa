#pragma once

#include <cstdint>

#include "platform/crt_random.h"

// Small integer and channel helpers shared by the effect textures and the particle systems.
namespace effect_math {

// rand() % n. A zero n still draws, so the sequence stays aligned, and yields 0 instead of
// dividing by zero.
inline uint32_t RandomBelow(uint32_t n) {
    const auto value = static_cast<uint32_t>(crt::rand());
    return n == 0 ? 0 : value % n;
}

// (rand() % n) as a float.
inline float RandomFloat(uint32_t n) { return static_cast<float>(RandomBelow(n)); }

inline uint32_t Alpha(uint32_t argb) { return argb >> 24; }
inline uint32_t Red(uint32_t argb) { return (argb >> 16) & 0xFFu; }
inline uint32_t Green(uint32_t argb) { return (argb >> 8) & 0xFFu; }
inline uint32_t Blue(uint32_t argb) { return argb & 0xFFu; }

inline uint32_t PackArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) + (r << 16) + (g << 8) + b;
}

// Truncates toward zero. Values outside 0..255 (and NaN) would overflow into the neighbouring
// channel or be undefined to convert, so they are held to the nearest end; anything that
// truncates into 0..255 is unchanged.
inline uint32_t ToChannel(float value) {
    if (!(value > 0.0f)) {
        return 0;
    }
    if (value >= 255.0f) {
        return 255;
    }
    return static_cast<uint32_t>(value);
}

// Truncates toward zero into *result; false when the value (or NaN) has no int32 counterpart.
inline bool TruncateToInt(float value, int32_t* result) {
    if (!(value > -2147483648.0f && value < 2147483648.0f)) {
        return false;
    }
    *result = static_cast<int32_t>(value);
    return true;
}

inline float Lerp(float p, float q, float s) { return p + (q - p) * s; }

// Red, green and blue of p blended towards q by s, each truncated; alpha left 0.
inline uint32_t LerpRgb(uint32_t p, uint32_t q, float s) {
    const auto channel = [s](uint32_t a, uint32_t b) {
        return ToChannel(Lerp(static_cast<float>(a), static_cast<float>(b), s));
    };
    return PackArgb(0, channel(Red(p), Red(q)), channel(Green(p), Green(q)),
                    channel(Blue(p), Blue(q)));
}

}  // namespace effect_math
