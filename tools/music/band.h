#pragma once

#include <cstdint>

#include "bass_synth.h"
#include "bell_synth.h"
#include "drum_kit.h"
#include "lead_synth.h"
#include "mix_bus.h"
#include "pad_synth.h"
#include "pluck_synth.h"

// The players of the track and the mix they play into.
class Band {
public:
    explicit Band(int64_t frames);

    MixBus& Bus() { return bus_; }
    const PadSynth& Pad() const { return pad_; }
    const PadSynth& Swell() const { return swell_; }
    const BellSynth& Bell() const { return bell_; }
    const BellSynth& Glass() const { return glass_; }
    const BellSynth& Keys() const { return keys_; }
    const PluckSynth& Pluck() const { return pluck_; }
    const BassSynth& Bass() const { return bass_; }
    const LeadSynth& Lead() const { return lead_; }
    const DrumKit& Drums() const { return drums_; }

private:
    MixBus bus_;
    PadSynth pad_;
    PadSynth swell_;
    BellSynth bell_;
    BellSynth glass_;
    BellSynth keys_;
    PluckSynth pluck_;
    BassSynth bass_;
    LeadSynth lead_;
    DrumKit drums_;
};
