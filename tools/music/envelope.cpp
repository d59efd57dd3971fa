#include "envelope.h"

#include <cmath>

Envelope::Envelope(double attack, double decay, double sustain, double release)
    : attack_(attack), decay_(decay), sustain_(sustain), release_(release) {}

float Envelope::Held(double t) const {
    if (t < attack_) {
        const double x = t / attack_;
        return static_cast<float>(x * x * (3.0 - 2.0 * x));
    }
    return static_cast<float>(sustain_ + (1.0 - sustain_) * std::exp(-(t - attack_) / decay_));
}

float Envelope::Level(double t, double length) const {
    if (t < 0.0) {
        return 0.0f;
    }
    if (t < length) {
        return Held(t);
    }
    const double left = 1.0 - (t - length) / release_;
    if (left <= 0.0) {
        return 0.0f;
    }
    return Held(length) * static_cast<float>(left * left);
}
