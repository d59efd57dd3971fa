#include "svf_filter.h"

#include <algorithm>
#include <cmath>

SvfFilter::SvfFilter(double sampleRate) : sampleRate_(sampleRate) { Tune(1000.0, 0.707); }

void SvfFilter::Tune(double cutoff, double q) {
    const double limited = std::clamp(cutoff, 10.0, sampleRate_ * 0.45);
    g_ = static_cast<float>(std::tan(3.141592653589793 * limited / sampleRate_));
    k_ = static_cast<float>(1.0 / q);
    a1_ = 1.0f / (1.0f + g_ * (g_ + k_));
    a2_ = g_ * a1_;
    a3_ = g_ * a2_;
}

SvfFilter::Output SvfFilter::Process(float input) {
    const float v3 = input - ic2_;
    const float v1 = a1_ * ic1_ + a2_ * v3;
    const float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0f * v1 - ic1_;
    ic2_ = 2.0f * v2 - ic2_;
    return {v2, v1, input - k_ * v1 - v2};
}
