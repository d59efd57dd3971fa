#include "oscillator.h"

#include <cmath>

#include "sine_table.h"

Oscillator::Oscillator(double frequency, double sampleRate, double phase)
    : sampleRate_(sampleRate), increment_(frequency / sampleRate), phase_(phase) {}

void Oscillator::SetFrequency(double frequency) { increment_ = frequency / sampleRate_; }

void Oscillator::Advance() {
    phase_ += increment_;
    if (phase_ >= 1.0) {
        phase_ -= 1.0;
    }
}

float Oscillator::Sine() const { return SineTable::Sin(phase_); }

float Oscillator::Blep(double t) const {
    const double dt = increment_;
    if (t < dt) {
        t /= dt;
        return static_cast<float>(t + t - t * t - 1.0);
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return static_cast<float>(t * t + t + t + 1.0);
    }
    return 0.0f;
}

float Oscillator::Saw() const { return static_cast<float>(2.0 * phase_ - 1.0) - Blep(phase_); }

float Oscillator::Square() const {
    const double shifted = phase_ + 0.5 >= 1.0 ? phase_ - 0.5 : phase_ + 0.5;
    const float naive = phase_ < 0.5 ? 1.0f : -1.0f;
    return naive + Blep(phase_) - Blep(shifted);
}
