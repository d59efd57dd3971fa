#pragma once

#include <cstdint>
#include <vector>

#include "mix_bus.h"

// Turns the mix into the stored samples: adds the effect returns, removes any DC, limits the
// peaks smoothly below the ceiling, fades the last moment to silence and rounds to 16 bits.
class Mastering {
public:
    struct Settings {
        float gain;        // applied before the limiter
        float ceiling;     // linear peak ceiling, below 1
        double fadeStart;  // seconds
        double fadeEnd;    // seconds; silence from here on
    };

    explicit Mastering(const Settings& settings) : settings_(settings) {}

    // Interleaved left/right samples, one pair per frame of the bus. Throws
    // std::runtime_error if the mix went non-finite anywhere.
    std::vector<int16_t> Finish(MixBus& bus) const;

private:
    void AddEffects(MixBus& bus) const;
    void RemoveDc(std::vector<float>& channel) const;
    std::vector<float> LimiterGain(const StereoBuffer& mix) const;
    float FadeAt(int64_t frame) const;

    Settings settings_;
};
