#include "lead_synth.h"

#include <algorithm>
#include <cmath>

#include "envelope.h"
#include "oscillator.h"
#include "sine_table.h"
#include "svf_filter.h"
#include "track_format.h"

LeadSynth::LeadSynth(float gain, MixBus::Sends sends) : gain_(gain), sends_(sends) {}

void LeadSynth::Play(const Note& note, MixBus& bus) const {
    constexpr double rate = track::kSampleRate;
    const Envelope envelope(0.03, 0.5, 0.8, 0.22);
    const double f = PitchFrequency(note.pitch);
    Oscillator first(f, rate, 0.0);
    Oscillator second(f, rate, 0.33);
    Oscillator sub(f * 0.5, rate, 0.0);
    SvfFilter filter(rate);
    filter.Tune(std::min(900.0 + 2200.0 * note.velocity + f, 6000.0), 1.0);
    const MixBus::Pan pan = MixBus::PanAt(note.pan);
    const float gain = gain_ * note.velocity;
    const int64_t start = track::FrameAt(note.start);
    const auto count = static_cast<int64_t>(envelope.Duration(note.length) * rate);
    for (int64_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        if (i % 32 == 0) {
            const double depth = 0.006 * std::clamp((t - 0.25) / 0.4, 0.0, 1.0);
            const double wobble = 1.0 + depth * SineTable::Sin(5.2 * t);
            first.SetFrequency(f * wobble * 0.9975);
            second.SetFrequency(f * wobble * 1.0025);
            sub.SetFrequency(f * wobble * 0.5);
        }
        const float raw = (first.Saw() + second.Saw()) * 0.4f + sub.Sine() * 0.35f;
        first.Advance();
        second.Advance();
        sub.Advance();
        const float level = envelope.Level(t, note.length) * gain;
        bus.AddPanned(start + i, filter.Process(raw).low * level, pan, sends_);
    }
}
