#pragma once

#include <string_view>
#include <vector>

#include "chord.h"

// Chords with their lengths in beats: "Dm:4 Bb:4 Gm:2 A7:2".
class Progression {
public:
    struct Span {
        double beat;
        double beats;
        Chord chord;
    };

    static Progression Parse(std::string_view text);

    const std::vector<Span>& Spans() const { return spans_; }
    double Beats() const { return beats_; }
    // The chord sounding at `beat` (the last one past the end).
    const Chord& At(double beat) const;

private:
    std::vector<Span> spans_;
    double beats_ = 0.0;
};
