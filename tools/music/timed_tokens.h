#pragma once

#include <functional>
#include <string_view>

// Scores are written as space-separated "name:beats" tokens ("D4:1.5", "Dm7:4", "r:0.5"): calls
// take(name, beats) for each in order. Throws std::invalid_argument on a token without a
// positive length.
void ForEachTimedToken(std::string_view text,
                       const std::function<void(std::string_view name, double beats)>& take);
