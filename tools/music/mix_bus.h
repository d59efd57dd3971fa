#pragma once

#include <cstdint>

#include "stereo_buffer.h"

// Where the instruments play into: the dry mix and two effect sends (reverb and echo).
class MixBus {
public:
    explicit MixBus(int64_t frames);

    struct Sends {
        float reverb = 0.0f;
        float echo = 0.0f;
    };

    // Equal-power gains for a place from -1 (left) to +1 (right).
    struct Pan {
        float left;
        float right;
    };
    static Pan PanAt(float position);

    void AddStereo(int64_t frame, float left, float right, Sends sends);
    void AddPanned(int64_t frame, float sample, Pan pan, Sends sends) {
        AddStereo(frame, sample * pan.left, sample * pan.right, sends);
    }

    StereoBuffer& Dry() { return dry_; }
    StereoBuffer& Reverb() { return reverb_; }
    StereoBuffer& Echo() { return echo_; }

private:
    StereoBuffer dry_;
    StereoBuffer reverb_;
    StereoBuffer echo_;
};
