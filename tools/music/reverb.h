#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "stereo_buffer.h"

// A hall reverb of parallel damped comb filters followed by all-pass diffusers, one set per
// channel with slightly different lengths for width.
class Reverb {
public:
    Reverb(double sampleRate, float roomSize, float damping);

    // Adds the reverberation of `input` into `output`, scaled by `wet`.
    void Process(const StereoBuffer& input, StereoBuffer& output, float wet);

private:
    struct Comb {
        std::vector<float> line;
        size_t position = 0;
        float store = 0.0f;
    };
    struct AllPass {
        std::vector<float> line;
        size_t position = 0;
    };
    struct Channel {
        std::array<Comb, 8> combs;
        std::array<AllPass, 4> allPasses;
    };

    float Run(Channel& channel, float input);
    static Channel MakeChannel(double scale, int spread);

    float feedback_;
    float damping_;
    Channel left_;
    Channel right_;
};
