#pragma once

#include "mix_bus.h"
#include "note.h"

// A synthesized voice that renders each note, tail included, straight into the mix.
class Instrument {
public:
    virtual ~Instrument() = default;
    virtual void Play(const Note& note, MixBus& bus) const = 0;
};
