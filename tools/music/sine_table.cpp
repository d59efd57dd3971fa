#include "sine_table.h"

#include <array>
#include <cmath>

namespace {

constexpr int kSize = 4096;

const std::array<float, kSize + 1>& Table() {
    static const std::array<float, kSize + 1> table = [] {
        std::array<float, kSize + 1> values{};
        for (int i = 0; i <= kSize; ++i) {
            values[i] = static_cast<float>(std::sin(6.283185307179586 * i / kSize));
        }
        return values;
    }();
    return table;
}

}  // namespace

float SineTable::Sin(double phase) {
    double wrapped = (phase - std::floor(phase)) * kSize;
    if (wrapped >= kSize) {  // a tiny negative phase rounds up to a whole cycle
        wrapped = 0.0;
    }
    const int index = static_cast<int>(wrapped);
    const float fraction = static_cast<float>(wrapped - index);
    const auto& table = Table();
    return table[index] + (table[index + 1] - table[index]) * fraction;
}
