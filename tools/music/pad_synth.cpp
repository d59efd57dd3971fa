#include "pad_synth.h"

#include <algorithm>
#include <cmath>

#include "envelope.h"
#include "oscillator.h"
#include "sine_table.h"
#include "svf_filter.h"
#include "track_format.h"

PadSynth::PadSynth(double attack, double release, float gain)
    : attack_(attack), release_(release), gain_(gain) {}

void PadSynth::Play(const Note& note, MixBus& bus) const {
    constexpr double rate = track::kSampleRate;
    constexpr double cents = 0.00405;  // about seven cents
    const Envelope envelope(std::min(attack_, note.length), 1.0, 1.0, release_);
    const double f = PitchFrequency(note.pitch);
    Oscillator low(f * (1.0 - cents), rate, 0.13);
    Oscillator mid(f, rate, 0.57);
    Oscillator high(f * (1.0 + cents), rate, 0.91);
    SvfFilter left(rate);
    SvfFilter right(rate);
    const double cutoff = std::min(500.0 + f * 3.0 + 1400.0 * note.velocity, 5000.0);
    const MixBus::Pan pan = MixBus::PanAt(note.pan);
    const float gain = gain_ * note.velocity * 1.41f;
    const int64_t first = track::FrameAt(note.start);
    const auto count = static_cast<int64_t>(envelope.Duration(note.length) * rate);
    for (int64_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        if (i % 64 == 0) {
            const double sway = SineTable::Sin(0.13 * (note.start + t));
            left.Tune(cutoff * (1.0 + 0.18 * sway), 0.8);
            right.Tune(cutoff * (1.0 - 0.18 * sway), 0.8);
        }
        const float level = envelope.Level(t, note.length) * gain;
        const float centre = mid.Saw() * 0.55f;
        const float l = left.Process(low.Saw() * 0.8f + centre).low;
        const float r = right.Process(high.Saw() * 0.8f + centre).low;
        low.Advance();
        mid.Advance();
        high.Advance();
        bus.AddStereo(first + i, l * level * pan.left, r * level * pan.right, {0.45f, 0.0f});
    }
}
