#include "phrase.h"

#include <stdexcept>
#include <string>

#include "timed_tokens.h"

namespace {

int LetterOffset(char letter) {
    switch (letter) {
        case 'C':
            return 0;
        case 'D':
            return 2;
        case 'E':
            return 4;
        case 'F':
            return 5;
        case 'G':
            return 7;
        case 'A':
            return 9;
        case 'B':
            return 11;
        default:
            throw std::invalid_argument(std::string("bad note letter: ") + letter);
    }
}

}  // namespace

int Phrase::ParsePitch(std::string_view name) {
    if (name.size() < 2) {
        throw std::invalid_argument("bad note: " + std::string(name));
    }
    int pitch = LetterOffset(name[0]);
    size_t at = 1;
    if (name[at] == '#' || name[at] == 'b') {
        pitch += name[at] == '#' ? 1 : -1;
        ++at;
    }
    const std::string octave(name.substr(at));
    if (octave.size() != 1 || octave[0] < '0' || octave[0] > '8') {
        throw std::invalid_argument("bad octave: " + std::string(name));
    }
    return pitch + 12 * (octave[0] - '0' + 1);
}

Phrase Phrase::Parse(std::string_view text) {
    Phrase phrase;
    ForEachTimedToken(text, [&phrase](std::string_view name, double beats) {
        if (name != "r") {
            phrase.steps_.push_back({phrase.beats_, beats, ParsePitch(name)});
        }
        phrase.beats_ += beats;
    });
    return phrase;
}
