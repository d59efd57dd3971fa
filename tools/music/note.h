#pragma once

#include <cmath>

// One note of the score, in seconds from the start of the track.
struct Note {
    double start = 0.0;
    double length = 0.0;
    int pitch = 60;  // MIDI numbering: 60 is middle C, 69 the 440 Hz A
    float velocity = 1.0f;
    float pan = 0.0f;  // -1 left .. +1 right
};

inline double PitchFrequency(double pitch) { return 440.0 * std::pow(2.0, (pitch - 69.0) / 12.0); }
