#pragma once

#include <cstddef>
#include <vector>

#include "stereo_buffer.h"

// A ping-pong echo: each repeat crosses to the other side and loses some treble.
class EchoDelay {
public:
    EchoDelay(double sampleRate, double delaySeconds, float feedback);

    // Adds the echoes of `input` into `output`.
    void Process(const StereoBuffer& input, StereoBuffer& output, float wet);

private:
    std::vector<float> left_;
    std::vector<float> right_;
    float feedback_;
};
