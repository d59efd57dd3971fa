#include "mastering.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <stdexcept>

#include "echo_delay.h"
#include "reverb.h"
#include "track_format.h"

namespace {

constexpr int64_t kLookahead = 64;
constexpr double kReleaseSeconds = 0.15;

}  // namespace

void Mastering::RemoveDc(std::vector<float>& channel) const {
    // A first-order high-pass at about 4 Hz.
    constexpr double pole = 0.9993;
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (float& sample : channel) {
        const double out = sample - previousIn + pole * previousOut;
        previousIn = sample;
        previousOut = out;
        sample = static_cast<float>(out) * settings_.gain;
    }
}

std::vector<float> Mastering::LimiterGain(const StereoBuffer& mix) const {
    const int64_t frames = mix.Frames();
    std::vector<float> needed(static_cast<size_t>(frames));
    for (int64_t i = 0; i < frames; ++i) {
        const float peak = std::max(std::fabs(mix.Left()[i]), std::fabs(mix.Right()[i]));
        needed[i] = peak > settings_.ceiling ? settings_.ceiling / peak : 1.0f;
    }
    // The lowest gain any sample in the next kLookahead frames needs, released slowly...
    std::vector<float> held(static_cast<size_t>(frames));
    std::deque<int64_t> lowest;
    const float release = static_cast<float>(1.0 / (kReleaseSeconds * track::kSampleRate));
    float current = 1.0f;
    for (int64_t i = 0; i < frames + kLookahead - 1; ++i) {
        if (i < frames) {
            while (!lowest.empty() && needed[lowest.back()] >= needed[i]) {
                lowest.pop_back();
            }
            lowest.push_back(i);
        }
        const int64_t n = i - (kLookahead - 1);
        if (n < 0) {
            continue;
        }
        while (lowest.front() < n) {
            lowest.pop_front();
        }
        current = std::min(needed[lowest.front()], current + (1.0f - current) * release);
        held[n] = current;
    }
    // ...then averaged over the lookahead, which ramps the gain down before each peak and
    // still never lets a peak through.
    std::vector<float> gain(static_cast<size_t>(frames));
    double sum = 0.0;
    for (int64_t i = 0; i < frames; ++i) {
        sum += held[i] - (i >= kLookahead ? held[i - kLookahead] : 1.0f);
        gain[i] = static_cast<float>((sum + static_cast<double>(kLookahead)) / kLookahead);
    }
    return gain;
}

float Mastering::FadeAt(int64_t frame) const {
    const double t = static_cast<double>(frame) / track::kSampleRate;
    if (t <= settings_.fadeStart) {
        return 1.0f;
    }
    if (t >= settings_.fadeEnd) {
        return 0.0f;
    }
    const double x = (t - settings_.fadeStart) / (settings_.fadeEnd - settings_.fadeStart);
    return static_cast<float>(0.5 + 0.5 * std::cos(3.141592653589793 * x));
}

void Mastering::AddEffects(MixBus& bus) const {
    Reverb(track::kSampleRate, 0.82f, 0.3f).Process(bus.Reverb(), bus.Dry(), 1.0f);
    // A dotted eighth at 120 beats a minute.
    EchoDelay(track::kSampleRate, 0.375, 0.38f).Process(bus.Echo(), bus.Dry(), 0.8f);
    for (const std::vector<float>* channel : {&bus.Dry().Left(), &bus.Dry().Right()}) {
        if (!std::all_of(channel->begin(), channel->end(),
                         [](float x) { return std::isfinite(x); })) {
            throw std::runtime_error("the mix holds a sample that is not a number");
        }
    }
}

std::vector<int16_t> Mastering::Finish(MixBus& bus) const {
    AddEffects(bus);
    StereoBuffer& mix = bus.Dry();
    RemoveDc(mix.Left());
    RemoveDc(mix.Right());
    const std::vector<float> gain = LimiterGain(mix);
    std::vector<int16_t> samples(static_cast<size_t>(mix.Frames()) * 2);
    for (int64_t i = 0; i < mix.Frames(); ++i) {
        const float scale = gain[i] * FadeAt(i) * 32767.0f;
        samples[2 * i] = static_cast<int16_t>(std::lround(mix.Left()[i] * scale));
        samples[2 * i + 1] = static_cast<int16_t>(std::lround(mix.Right()[i] * scale));
    }
    return samples;
}
