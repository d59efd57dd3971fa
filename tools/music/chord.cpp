#include "chord.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>
#include <stdexcept>
#include <string>

namespace {

const std::map<std::string_view, std::vector<int>>& Qualities() {
    static const std::map<std::string_view, std::vector<int>> qualities = {
        {"", {0, 4, 7}},          {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}},  {"m7", {0, 3, 7, 10}},     {"sus4", {0, 5, 7}},
        {"7sus4", {0, 5, 7, 10}}, {"dim7", {0, 3, 6, 9}},    {"add9", {0, 4, 7, 14}},
        {"madd9", {0, 3, 7, 14}}, {"m9", {0, 3, 7, 10, 14}}, {"6", {0, 4, 7, 9}},
    };
    return qualities;
}

int ParseRoot(std::string_view symbol, size_t& at) {
    static const std::string_view letters = "C D EF G A B";
    const size_t letter = symbol.empty() ? std::string_view::npos : letters.find(symbol[0]);
    if (letter == std::string_view::npos || symbol[0] == ' ') {
        throw std::invalid_argument("bad chord root: " + std::string(symbol));
    }
    int root = static_cast<int>(letter);
    at = 1;
    if (at < symbol.size() && (symbol[at] == '#' || symbol[at] == 'b')) {
        root += symbol[at] == '#' ? 1 : -1;
        ++at;
    }
    return (root + 12) % 12;
}

int Cost(const std::vector<int>& candidate, const std::vector<int>& previous) {
    if (candidate.size() == previous.size()) {
        int cost = 0;
        for (size_t i = 0; i < candidate.size(); ++i) {
            cost += std::abs(candidate[i] - previous[i]);
        }
        return cost;
    }
    const int a = std::accumulate(candidate.begin(), candidate.end(), 0);
    const int b = std::accumulate(previous.begin(), previous.end(), 0);
    return std::abs(a * static_cast<int>(previous.size()) - b * static_cast<int>(candidate.size()));
}

}  // namespace

Chord Chord::Parse(std::string_view symbol) {
    Chord chord;
    const size_t slash = symbol.find('/');
    const std::string_view main = symbol.substr(0, slash);
    size_t at = 0;
    chord.root_ = ParseRoot(main, at);
    const auto quality = Qualities().find(main.substr(at));
    if (quality == Qualities().end()) {
        throw std::invalid_argument("unknown chord quality: " + std::string(symbol));
    }
    for (int interval : quality->second) {
        chord.classes_.push_back((chord.root_ + interval) % 12);
    }
    chord.bass_ = chord.root_;
    if (slash != std::string_view::npos) {
        size_t unused = 0;
        chord.bass_ = ParseRoot(symbol.substr(slash + 1), unused);
    }
    return chord;
}

bool Chord::Contains(int pitch) const {
    return std::find(classes_.begin(), classes_.end(), ((pitch % 12) + 12) % 12) != classes_.end();
}

int Chord::ToneAbove(int floor, int index) const {
    const int size = static_cast<int>(classes_.size());
    const int wanted = classes_[static_cast<size_t>(index % size)];
    int pitch = floor + ((wanted - floor % 12) + 12) % 12;
    return pitch + 12 * (index / size);
}

std::vector<int> Chord::Voice(int low, int high, const std::vector<int>& previous) const {
    std::vector<int> best;
    int bestCost = 0;
    for (int start = low; start < low + 12; ++start) {
        if (!Contains(start)) {
            continue;
        }
        std::vector<int> candidate = {start};
        std::vector<int> used = {start % 12};
        for (int pitch = start + 1; candidate.size() < classes_.size(); ++pitch) {
            if (Contains(pitch) && std::find(used.begin(), used.end(), pitch % 12) == used.end()) {
                candidate.push_back(pitch);
                used.push_back(pitch % 12);
            }
        }
        if (candidate.back() > high) {
            continue;
        }
        const int cost = previous.empty() ? 0 : Cost(candidate, previous);
        if (best.empty() || cost < bestCost) {
            best = candidate;
            bestCost = cost;
        }
    }
    return best;
}
