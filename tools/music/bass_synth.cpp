#include "bass_synth.h"

#include <cmath>

#include "envelope.h"
#include "oscillator.h"
#include "svf_filter.h"
#include "track_format.h"

BassSynth::BassSynth(float gain) : gain_(gain) {}

void BassSynth::Play(const Note& note, MixBus& bus) const {
    constexpr double rate = track::kSampleRate;
    const Envelope envelope(0.006, 0.3, 0.7, 0.09);
    const double f = PitchFrequency(note.pitch);
    Oscillator body(f, rate, 0.0);
    Oscillator edge(f, rate, 0.5);
    SvfFilter filter(rate);
    const float gain = gain_ * note.velocity;
    const int64_t first = track::FrameAt(note.start);
    const auto count = static_cast<int64_t>(envelope.Duration(note.length) * rate);
    for (int64_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        if (i % 16 == 0) {
            filter.Tune(f * 2.0 + 150.0 + 900.0 * note.velocity * std::exp(-t / 0.07), 0.9);
        }
        const float raw = body.Sine() * 0.75f + filter.Process(edge.Saw()).low * 0.45f;
        body.Advance();
        edge.Advance();
        const float sample = raw * envelope.Level(t, note.length) * gain;
        bus.AddStereo(first + i, sample * 0.7071f, sample * 0.7071f, {0.05f, 0.0f});
    }
}
