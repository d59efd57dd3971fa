#include "bell_synth.h"

#include <algorithm>
#include <cmath>

#include "envelope.h"
#include "sine_table.h"
#include "track_format.h"

BellSynth::BellSynth(const Timbre& timbre) : timbre_(timbre) {}

void BellSynth::Play(const Note& note, MixBus& bus) const {
    constexpr double rate = track::kSampleRate;
    constexpr double twoPi = 6.283185307179586;
    const Envelope envelope(0.002, timbre_.decay, 0.0, 0.35);
    const double f = PitchFrequency(note.pitch);
    const double carrierStep = f / rate;
    const double modulatorStep = f * timbre_.ratio / rate;
    // Keep the brightest sidebands below Nyquist for high notes.
    const double depth = timbre_.index * (0.6 + 0.4 * note.velocity) * std::min(1.0, 1500.0 / f);
    const MixBus::Pan pan = MixBus::PanAt(note.pan);
    const float gain = timbre_.gain * note.velocity;
    const int64_t first = track::FrameAt(note.start);
    // A struck tone fades long before a held note's end: stop once it is inaudible.
    const double audible = timbre_.decay * 9.2 + 0.002;
    const double length = std::min(note.length, audible);
    const auto count = static_cast<int64_t>(envelope.Duration(length) * rate);
    const double fall = std::exp(-1.0 / (timbre_.indexDecay * rate));
    double index = depth;
    double carrier = 0.0;
    double modulator = 0.0;
    for (int64_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        const float sample = SineTable::Sin(carrier + index * SineTable::Sin(modulator) / twoPi);
        carrier += carrierStep;
        modulator += modulatorStep;
        index *= fall;
        const float level = envelope.Level(t, length) * gain;
        bus.AddPanned(first + i, sample * level, pan, timbre_.sends);
    }
}
