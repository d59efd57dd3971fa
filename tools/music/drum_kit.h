#pragma once

#include "mix_bus.h"

// Percussion made from swept sines and filtered noise. The noise of each hit is seeded from
// its time, so the track is the same on every run whatever order the hits are written in.
class DrumKit {
public:
    explicit DrumKit(MixBus& bus) : bus_(bus) {}

    void Kick(double time, float velocity) const;
    void Snare(double time, float velocity, float pan = 0.0f) const;
    void Hat(double time, float velocity, bool open, float pan) const;
    void Tom(double time, int pitch, float velocity, float pan) const;
    void Crash(double time, float velocity) const;
    // A deep impact: a falling sub-bass sweep under a dark rumble.
    void Boom(double time, float velocity) const;
    // Noise rising in pitch and level over `length` seconds, ending in a short fade.
    void Riser(double time, double length, float velocity) const;
    // The small wet pop of a bursting bubble.
    void Pop(double time, float velocity, float pan) const;

private:
    MixBus& bus_;
};
