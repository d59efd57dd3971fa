#include "progression.h"

#include <stdexcept>

#include "timed_tokens.h"

Progression Progression::Parse(std::string_view text) {
    Progression progression;
    ForEachTimedToken(text, [&progression](std::string_view name, double beats) {
        progression.spans_.push_back({progression.beats_, beats, Chord::Parse(name)});
        progression.beats_ += beats;
    });
    if (progression.spans_.empty()) {
        throw std::invalid_argument("empty progression");
    }
    return progression;
}

const Chord& Progression::At(double beat) const {
    for (const Span& span : spans_) {
        if (beat < span.beat + span.beats) {
            return span.chord;
        }
    }
    return spans_.back().chord;
}
