#include "phrase.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

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
        const std::string_view name = token.substr(0, colon);
        if (name != "r") {
            phrase.steps_.push_back({phrase.beats_, beats, ParsePitch(name)});
        }
        phrase.beats_ += beats;
        at = end;
    }
    return phrase;
}
