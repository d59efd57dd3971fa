#include "echo_delay.h"

EchoDelay::EchoDelay(double sampleRate, double delaySeconds, float feedback)
    : left_(static_cast<size_t>(sampleRate * delaySeconds)),
      right_(static_cast<size_t>(sampleRate * delaySeconds)),
      feedback_(feedback) {}

void EchoDelay::Process(const StereoBuffer& input, StereoBuffer& output, float wet) {
    size_t position = 0;
    float leftTone = 0.0f;
    float rightTone = 0.0f;
    for (int64_t i = 0; i < input.Frames(); ++i) {
        const float fromLeft = left_[position];
        const float fromRight = right_[position];
        leftTone += 0.45f * (fromLeft - leftTone);
        rightTone += 0.45f * (fromRight - rightTone);
        left_[position] = input.Left()[i] + rightTone * feedback_;
        right_[position] = input.Right()[i] + leftTone * feedback_;
        position = position + 1 == left_.size() ? 0 : position + 1;
        output.Add(i, fromLeft * wet, fromRight * wet);
    }
}
