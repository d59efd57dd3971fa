#pragma once

// A state-variable filter (trapezoidal integration): stable under fast cutoff changes, which
// the plucked and swept sounds rely on.
class SvfFilter {
public:
    struct Output {
        float low;
        float band;
        float high;
    };

    explicit SvfFilter(double sampleRate);

    // Cutoff in Hz (kept below Nyquist), resonance as Q.
    void Tune(double cutoff, double q);
    Output Process(float input);

private:
    double sampleRate_;
    float g_ = 0.0f;
    float k_ = 1.0f;
    float a1_ = 0.0f;
    float a2_ = 0.0f;
    float a3_ = 0.0f;
    float ic1_ = 0.0f;
    float ic2_ = 0.0f;
};
