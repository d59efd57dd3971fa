#include "band_painter.h"

#include <array>
#include <cmath>

namespace {

struct Stop {
    float distance;  // from the middle of a repeat, in repeats (0 .. 0.5)
    Rgb colour;
};

const std::array<Stop, 10> kStops = {{
    {0.00f, FromBytes(92, 112, 142)},
    {0.20f, FromBytes(74, 92, 122)},
    {0.29f, FromBytes(52, 64, 88)},
    {0.34f, FromBytes(26, 25, 31)},
    {0.375f, FromBytes(22, 20, 24)},
    {0.405f, FromBytes(98, 60, 36)},
    {0.430f, FromBytes(128, 84, 50)},
    {0.452f, FromBytes(150, 108, 70)},
    {0.472f, FromBytes(226, 212, 180)},
    {0.50f, FromBytes(240, 230, 204)},
}};

// Thin gilt lines where the dark band meets the brown one, in repeats from the middle.
constexpr float kPinstripe = 0.392f;

}  // namespace

BandPainter::BandPainter(int repeats)
    : repeats_(repeats), mottle_(0xB4C0FFEEu, 12, 3), fibres_(0x5EEDF1B3u, 262, 2) {}

Rgb BandPainter::BandColour(float u) const {
    const float phase = u * static_cast<float>(repeats_);
    const float distance = std::fabs(phase - std::floor(phase) - 0.5f);
    for (size_t i = 1; i < kStops.size(); ++i) {
        if (distance <= kStops[i].distance) {
            const Stop& a = kStops[i - 1];
            const Stop& b = kStops[i];
            return Mix(a.colour, b.colour, SmoothStep(a.distance, b.distance, distance));
        }
    }
    return kStops.back().colour;
}

Rgb BandPainter::Gilding(Rgb colour, float u, int width) const {
    const float phase = u * static_cast<float>(repeats_);
    const float distance = std::fabs(phase - std::floor(phase) - 0.5f);
    const float pixels =
        std::fabs(distance - kPinstripe) * static_cast<float>(width) / static_cast<float>(repeats_);
    return Mix(colour, FromBytes(182, 140, 66), 0.85f * (1.0f - SmoothStep(0.3f, 1.1f, pixels)));
}

Rgb BandPainter::Texture(Rgb colour, float u, float v, int x, int y) const {
    const float edge = std::fabs(v - 0.5f) * 2.0f;
    const float vignette = 1.0f - 0.28f * edge * edge;
    const float cloud = 1.0f + 0.07f * mottle_.Fractal(u, v, 4);
    const float fibre = 1.0f + 0.035f * fibres_.At(u, v);
    const float grain = 0.018f * PeriodicNoise::Hash(0xA11CE5u, x, y);
    const float tone = vignette * cloud * fibre;
    return Rgb{colour.r * tone + grain, colour.g * tone + grain, colour.b * tone + grain};
}

void BandPainter::Paint(Canvas& canvas) const {
    for (int x = 0; x < canvas.Width(); ++x) {
        const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(canvas.Width());
        const Rgb colour = Gilding(BandColour(u), u, canvas.Width());
        for (int y = 0; y < canvas.Height(); ++y) {
            const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(canvas.Height());
            canvas.At(x, y) = Texture(colour, u, v, x, y);
        }
    }
}
