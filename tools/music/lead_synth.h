#pragma once

#include "instrument.h"

// A singing lead: two slightly detuned saws with a sub-octave sine, a soft filter and a
// vibrato that grows in on held notes.
class LeadSynth : public Instrument {
public:
    LeadSynth(float gain, MixBus::Sends sends);
    void Play(const Note& note, MixBus& bus) const override;

private:
    float gain_;
    MixBus::Sends sends_;
};
