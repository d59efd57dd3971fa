#include "drum_kit.h"

#include <cmath>

#include "note.h"
#include "prng.h"
#include "sine_table.h"
#include "svf_filter.h"
#include "track_format.h"

namespace {

constexpr double kRate = track::kSampleRate;

// A short rise so that no hit starts with a step.
float Onset(double t, double rise) { return t < rise ? static_cast<float>(t / rise) : 1.0f; }

uint32_t SeedAt(double time, uint32_t salt) {
    return static_cast<uint32_t>(track::FrameAt(time)) * 2654435761u + salt;
}

int64_t Count(double seconds) { return static_cast<int64_t>(seconds * kRate); }

}  // namespace

void DrumKit::Kick(double time, float velocity) const {
    const int64_t first = track::FrameAt(time);
    double phase = 0.0;
    for (int64_t i = 0; i < Count(0.5); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += (44.0 + 120.0 * std::exp(-t / 0.03)) / kRate;
        const float fade = t > 0.45 ? static_cast<float>((0.5 - t) / 0.05) : 1.0f;
        const float level = Onset(t, 0.0015) * fade * static_cast<float>(std::exp(-t / 0.2));
        const float sample = SineTable::Sin(phase) * level * velocity * 0.32f;
        bus_.AddStereo(first + i, sample, sample, {});
    }
}

void DrumKit::Snare(double time, float velocity, float pan) const {
    const int64_t first = track::FrameAt(time);
    const MixBus::Pan place = MixBus::PanAt(pan);
    Prng noise(SeedAt(time, 11));
    SvfFilter filter(kRate);
    filter.Tune(3200.0, 0.7);
    for (int64_t i = 0; i < Count(0.35); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const float tone = SineTable::Sin(185.0 * t) * static_cast<float>(std::exp(-t / 0.05));
        const float hiss =
            filter.Process(noise.Bipolar()).high * static_cast<float>(std::exp(-t / 0.09));
        const float fade = t > 0.3 ? static_cast<float>((0.35 - t) / 0.05) : 1.0f;
        const float sample =
            (tone * 0.5f + hiss * 0.6f) * Onset(t, 0.001) * fade * velocity * 0.65f;
        bus_.AddPanned(first + i, sample, place, {0.25f, 0.0f});
    }
}

void DrumKit::Hat(double time, float velocity, bool open, float pan) const {
    const int64_t first = track::FrameAt(time);
    const MixBus::Pan place = MixBus::PanAt(pan);
    const double decay = open ? 0.16 : 0.03;
    const double length = decay * 6.0;
    Prng noise(SeedAt(time, 23));
    SvfFilter filter(kRate);
    filter.Tune(7500.0, 0.8);
    for (int64_t i = 0; i < Count(length); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const float tail = static_cast<float>(std::exp(-t / decay) * (1.0 - t / length));
        const float sample = filter.Process(noise.Bipolar()).high * tail * Onset(t, 0.0008);
        bus_.AddPanned(first + i, sample * velocity * 0.3f, place, {0.1f, 0.0f});
    }
}

void DrumKit::Tom(double time, int pitch, float velocity, float pan) const {
    const int64_t first = track::FrameAt(time);
    const MixBus::Pan place = MixBus::PanAt(pan);
    const double f = PitchFrequency(pitch);
    double phase = 0.0;
    for (int64_t i = 0; i < Count(0.6); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += f * (1.0 + 0.5 * std::exp(-t / 0.04)) / kRate;
        const float tail = static_cast<float>(std::exp(-t / 0.16) * (1.0 - t / 0.6));
        const float sample = SineTable::Sin(phase) * tail * Onset(t, 0.0015) * velocity * 0.45f;
        bus_.AddPanned(first + i, sample, place, {0.3f, 0.0f});
    }
}

void DrumKit::Crash(double time, float velocity) const {
    const int64_t first = track::FrameAt(time);
    Prng left(SeedAt(time, 31));
    Prng right(SeedAt(time, 37));
    SvfFilter leftFilter(kRate);
    SvfFilter rightFilter(kRate);
    leftFilter.Tune(5000.0, 0.6);
    rightFilter.Tune(5200.0, 0.6);
    const double length = 3.2;
    for (int64_t i = 0; i < Count(length); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const float tail = static_cast<float>(std::exp(-t / 0.7) * (1.0 - t / length)) *
                           Onset(t, 0.002) * velocity * 0.28f;
        bus_.AddStereo(first + i, leftFilter.Process(left.Bipolar()).high * tail,
                       rightFilter.Process(right.Bipolar()).high * tail, {0.35f, 0.0f});
    }
}

void DrumKit::Boom(double time, float velocity) const {
    const int64_t first = track::FrameAt(time);
    Prng noise(SeedAt(time, 41));
    SvfFilter rumble(kRate);
    double phase = 0.0;
    const double length = 2.5;
    for (int64_t i = 0; i < Count(length); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += (30.0 + 70.0 * std::exp(-t / 0.12)) / kRate;
        if (i % 16 == 0) {
            rumble.Tune(90.0 + 900.0 * std::exp(-t / 0.15), 0.7);
        }
        const float end = static_cast<float>(1.0 - t / length);
        const float body = SineTable::Sin(phase) * static_cast<float>(std::exp(-t / 0.7));
        const float dust =
            rumble.Process(noise.Bipolar()).low * static_cast<float>(std::exp(-t / 0.5));
        const float sample = (body * 0.7f + dust * 0.9f) * end * Onset(t, 0.002) * velocity * 0.6f;
        bus_.AddStereo(first + i, sample, sample, {0.3f, 0.0f});
    }
}

void DrumKit::Riser(double time, double length, float velocity) const {
    const int64_t first = track::FrameAt(time);
    Prng left(SeedAt(time, 53));
    Prng right(SeedAt(time, 59));
    SvfFilter leftFilter(kRate);
    SvfFilter rightFilter(kRate);
    for (int64_t i = 0; i < Count(length); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double x = t / length;
        if (i % 16 == 0) {
            const double cutoff = 300.0 * std::pow(25.0, x);
            leftFilter.Tune(cutoff, 2.5);
            rightFilter.Tune(cutoff * 1.06, 2.5);
        }
        const double rest = length - t;
        const float fade = rest < 0.03 ? static_cast<float>(rest / 0.03) : 1.0f;
        const float level = static_cast<float>(x * x) * fade * velocity * 0.35f;
        bus_.AddStereo(first + i, leftFilter.Process(left.Bipolar()).band * level,
                       rightFilter.Process(right.Bipolar()).band * level, {0.4f, 0.0f});
    }
}

void DrumKit::Pop(double time, float velocity, float pan) const {
    const int64_t first = track::FrameAt(time);
    const MixBus::Pan place = MixBus::PanAt(pan);
    double phase = 0.0;
    for (int64_t i = 0; i < Count(0.12); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += (450.0 + 1900.0 * std::exp(-t / 0.012)) / kRate;
        const float tail = static_cast<float>(std::exp(-t / 0.022) * (1.0 - t / 0.12));
        const float sample = SineTable::Sin(phase) * tail * Onset(t, 0.0005) * velocity * 0.35f;
        bus_.AddPanned(first + i, sample, place, {0.4f, 0.3f});
    }
}
