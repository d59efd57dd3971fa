#pragma once

#include "instrument.h"

// A round synth bass: a sine for weight under a filtered saw for definition, always centred.
class BassSynth : public Instrument {
public:
    explicit BassSynth(float gain);
    void Play(const Note& note, MixBus& bus) const override;

private:
    float gain_;
};
