#include "objects/concave_box/glow_texture.h"

#include <algorithm>

uint32_t GlowTexel(int32_t i, int32_t j, int32_t size) {
    const int32_t m = size / 2;
    const int32_t dx = j - m;
    const int32_t dy = i - m;
    const double x = static_cast<double>(dx * dx) / static_cast<double>(m * m);
    const double y = static_cast<double>(dy * dy) / static_cast<double>(m * m);
    const float across = static_cast<float>(x + 16.0 * y);
    const float along = static_cast<float>(16.0 * x + y);
    const float round = static_cast<float>((4.0 * x + 4.0 * y) * 0.5 + 0.5);
    const float a1 = 1.0f - std::min(1.0f, across);
    const float a2 = 1.0f - std::min(1.0f, along);
    const float a3 = 1.0f - std::min(1.0f, round);

    const uint32_t core = static_cast<uint32_t>(a3 * 255.0f);
    const uint32_t streak = a1 + a2 > 1.0f ? 255u : static_cast<uint32_t>((a1 + a2) * 255.0f);
    const uint32_t alpha = streak < core ? core : std::min(255u, streak + core);
    const uint32_t red = 255;
    const uint32_t green = streak < core / 2 ? 255 - (core / 2 - streak) : 255;
    return alpha << 24 | red << 16 | green << 8;
}

void FillGlowTexture(const gfx::LockedRect& locked, uint32_t size) {
    auto* bytes = static_cast<uint8_t*>(locked.Bits);
    for (uint32_t i = 0; i < size; ++i) {
        auto* row = reinterpret_cast<uint32_t*>(bytes + static_cast<size_t>(i) * locked.Pitch);
        for (uint32_t j = 0; j < size; ++j) {
            row[j] = GlowTexel(static_cast<int32_t>(i), static_cast<int32_t>(j),
                               static_cast<int32_t>(size));
        }
    }
}
