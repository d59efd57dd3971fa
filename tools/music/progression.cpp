#include "progression.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

Progression Progression::Parse(std::string_view text) {
    Progression progression;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        const size_t end = std::min(text.find(' ', at), text.size());
        const std::string_view token = text.substr(at, end - at);
        const size_t colon = token.find(':');
        if (colon == std::string_view::npos) {
            throw std::invalid_argument("missing length: " + std::string(token));
        }
        const double beats = std::strtod(std::string(token.substr(colon + 1)).c_str(), nullptr);
        if (beats <= 0.0) {
            throw std::invalid_argument("bad length: " + std::string(token));
        }
        progression.spans_.push_back(
            {progression.beats_, beats, Chord::Parse(token.substr(0, colon))});
        progression.beats_ += beats;
        at = end;
    }
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
