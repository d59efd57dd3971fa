#include "arranger.h"

#include "phrase.h"

namespace {

int BassPitch(const Chord& chord, char degree) {
    constexpr int kFloor = 36;  // C2
    const int bass = kFloor + ((chord.Bass() - kFloor % 12) + 12) % 12;
    const int root = bass < kFloor + 7 ? bass : bass - 12;
    switch (degree) {
        case '5':
            return root + 7;
        case 'O':
            return root + 12;
        default:
            return root;
    }
}

float Accent(char mark) { return mark == 'X' ? 1.0f : 0.7f; }

}  // namespace

Progression Arranger::Chords(const Instrument& pad, const Section& section, std::string_view chords,
                             float velocity, int low, int high) {
    Progression progression = Progression::Parse(chords);
    for (const Progression::Span& span : progression.Spans()) {
        padVoicing_ = span.chord.Voice(low, high, padVoicing_);
        float pan = -0.3f;
        for (int pitch : padVoicing_) {
            pad.Play({section.At(span.beat), section.Seconds(span.beats), pitch, velocity, pan},
                     band_.Bus());
            pan += 0.6f / static_cast<float>(padVoicing_.size() - 1);
        }
    }
    return progression;
}

void Arranger::BassLine(const Section& section, const Progression& progression, double step,
                        std::string_view pattern, float velocity) {
    for (const Progression::Span& span : progression.Spans()) {
        const int steps = static_cast<int>(span.beats / step + 0.5);
        for (int i = 0; i < steps; ++i) {
            const char degree = pattern[static_cast<size_t>(i) % pattern.size()];
            if (degree == '-' || degree == '.') {
                continue;
            }
            int length = 1;
            while (i + length < steps &&
                   pattern[static_cast<size_t>(i + length) % pattern.size()] == '-') {
                ++length;
            }
            const double beat = span.beat + step * i;
            band_.Bass().Play({section.At(beat), section.Seconds(step * length) * 0.92,
                               BassPitch(span.chord, degree), velocity, 0.0f},
                              band_.Bus());
        }
    }
}

void Arranger::Arpeggio(const Instrument& instrument, const Section& section,
                        const Progression& progression, double step, const std::vector<int>& order,
                        int floor, float velocity, float pan) {
    int count = 0;
    for (const Progression::Span& span : progression.Spans()) {
        const int steps = static_cast<int>(span.beats / step + 0.5);
        for (int i = 0; i < steps; ++i, ++count) {
            const int index = order[static_cast<size_t>(count) % order.size()];
            const float lift = (count % 4 == 0) ? 1.0f : 0.8f;
            instrument.Play({section.At(span.beat + step * i), section.Seconds(step) * 0.9,
                             span.chord.ToneAbove(floor, index), velocity * lift, pan},
                            band_.Bus());
        }
    }
}

void Arranger::Melody(const Instrument& instrument, const Section& section, double beat,
                      std::string_view phrase, float velocity, float pan, int transpose) {
    const Phrase parsed = Phrase::Parse(phrase);
    for (const Phrase::Step& step : parsed.Steps()) {
        instrument.Play({section.At(beat + step.beat), section.Seconds(step.beats) * 0.95,
                         step.pitch + transpose, velocity, pan},
                        band_.Bus());
    }
}

void Arranger::Drums(const Section& section, double beat, int bars, const Groove& groove,
                     float velocity) {
    const DrumKit& kit = band_.Drums();
    for (int bar = 0; bar < bars; ++bar) {
        for (size_t i = 0; i < 16; ++i) {
            const double time = section.At(beat + bar * 4.0 + static_cast<double>(i) * 0.25);
            if (i < groove.kick.size() && groove.kick[i] != '.') {
                kit.Kick(time, velocity * Accent(groove.kick[i]));
            }
            if (i < groove.snare.size() && groove.snare[i] != '.') {
                kit.Snare(time, velocity * Accent(groove.snare[i]), 0.05f);
            }
            if (i < groove.hat.size() && groove.hat[i] != '.') {
                const bool open = groove.hat[i] == 'o';
                kit.Hat(time, velocity * (open ? 0.8f : Accent(groove.hat[i])), open, 0.3f);
            }
        }
    }
}
