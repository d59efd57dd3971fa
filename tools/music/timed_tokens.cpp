#include "timed_tokens.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

void ForEachTimedToken(std::string_view text,
                       const std::function<void(std::string_view name, double beats)>& take) {
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
        take(token.substr(0, colon), beats);
        at = end;
    }
}
