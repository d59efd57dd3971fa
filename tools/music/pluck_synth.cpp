#include "pluck_synth.h"

#include <algorithm>
#include <cmath>

#include "envelope.h"
#include "oscillator.h"
#include "svf_filter.h"
#include "track_format.h"

PluckSynth::PluckSynth(double decay, float gain, MixBus::Sends sends)
    : decay_(decay), gain_(gain), sends_(sends) {}

void PluckSynth::Play(const Note& note, MixBus& bus) const {
    constexpr double rate = track::kSampleRate;
    const Envelope envelope(0.002, decay_, 0.0, 0.04);
    const double f = PitchFrequency(note.pitch);
    Oscillator saw(f, rate, 0.0);
    Oscillator square(f * 1.002, rate, 0.25);
    SvfFilter filter(rate);
    const double opening = 1800.0 + 3500.0 * note.velocity;
    const MixBus::Pan pan = MixBus::PanAt(note.pan);
    const float gain = gain_ * note.velocity;
    const double length = std::min(note.length, decay_ * 7.0);
    const int64_t first = track::FrameAt(note.start);
    const auto count = static_cast<int64_t>(envelope.Duration(length) * rate);
    for (int64_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        if (i % 16 == 0) {
            filter.Tune(f * 1.5 + 200.0 + opening * std::exp(-t / 0.09), 1.1);
        }
        const float raw = saw.Saw() * 0.6f + square.Square() * 0.4f;
        saw.Advance();
        square.Advance();
        const float level = envelope.Level(t, length) * gain;
        bus.AddPanned(first + i, filter.Process(raw).low * level, pan, sends_);
    }
}
