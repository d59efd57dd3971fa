#pragma once

#include <string_view>
#include <vector>

// A melody written as text: "A4:1 D5:1.5 r:0.5 F#5:2" — note name with octave (or r for a
// rest), then its length in beats. MIDI numbering: C4 is 60.
class Phrase {
public:
    struct Step {
        double beat;   // from the start of the phrase
        double beats;  // length
        int pitch;
    };

    // Throws std::invalid_argument on a malformed token: the score is ours, so a typo is a
    // build error, not something to play around.
    static Phrase Parse(std::string_view text);
    static int ParsePitch(std::string_view name);

    const std::vector<Step>& Steps() const { return steps_; }
    double Beats() const { return beats_; }

private:
    std::vector<Step> steps_;
    double beats_ = 0.0;
};
