#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Two channels of float samples. Writes past the end are dropped, so a note may ring on
// beyond the last frame without checks at every call site.
class StereoBuffer {
public:
    explicit StereoBuffer(int64_t frames);

    int64_t Frames() const { return static_cast<int64_t>(left_.size()); }
    void Add(int64_t frame, float left, float right) {
        if (frame >= 0 && frame < Frames()) {
            left_[frame] += left;
            right_[frame] += right;
        }
    }
    std::vector<float>& Left() { return left_; }
    std::vector<float>& Right() { return right_; }
    const std::vector<float>& Left() const { return left_; }
    const std::vector<float>& Right() const { return right_; }

private:
    std::vector<float> left_;
    std::vector<float> right_;
};
