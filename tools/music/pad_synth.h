#pragma once

#include "instrument.h"

// A warm string-like pad: three detuned saws spread across the stereo field, a gently moving
// low-pass filter and a slow swell.
class PadSynth : public Instrument {
public:
    PadSynth(double attack, double release, float gain);
    void Play(const Note& note, MixBus& bus) const override;

private:
    double attack_;
    double release_;
    float gain_;
};
