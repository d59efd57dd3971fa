#pragma once

#include "instrument.h"

// Two-operator FM: a carrier phase-modulated by a partial at `ratio` times its frequency,
// with a modulation depth that dies away faster than the tone, as a struck bar does.
class BellSynth : public Instrument {
public:
    struct Timbre {
        double ratio;       // modulator to carrier frequency
        double index;       // peak modulation depth, radians
        double indexDecay;  // seconds
        double decay;       // time constant of the tone, seconds
        float gain;
        MixBus::Sends sends;
    };

    explicit BellSynth(const Timbre& timbre);
    void Play(const Note& note, MixBus& bus) const override;

private:
    Timbre timbre_;
};
