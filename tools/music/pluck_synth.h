#pragma once

#include "instrument.h"

// A plucked string: saw and square through a low-pass filter that closes quickly after the
// attack, so each note starts bright and mellows as it dies away.
class PluckSynth : public Instrument {
public:
    PluckSynth(double decay, float gain, MixBus::Sends sends);
    void Play(const Note& note, MixBus& bus) const override;

private:
    double decay_;
    float gain_;
    MixBus::Sends sends_;
};
