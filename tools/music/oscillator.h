#pragma once

// A phase accumulator with sine and band-limited saw and square outputs. Phase is in cycles.
class Oscillator {
public:
    Oscillator(double frequency, double sampleRate, double phase = 0.0);

    void SetFrequency(double frequency);
    void Advance();

    float Sine() const;
    // PolyBLEP-corrected, so the edges do not alias at 37.8 kHz.
    float Saw() const;
    float Square() const;
    double Phase() const { return phase_; }

private:
    float Blep(double t) const;

    double sampleRate_;
    double increment_;
    double phase_;
};
