#pragma once

#include <cstdint>

// A small xorshift generator: the same seed always gives the same noise.
class Prng {
public:
    explicit Prng(uint32_t seed) : state_(seed != 0 ? seed : 0x6D2B79F5u) {}

    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in -1..1.
    float Bipolar() { return static_cast<float>(Next() >> 8) / 8388607.5f - 1.0f; }
    // Uniform in 0..1.
    float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }

private:
    uint32_t state_;
};
