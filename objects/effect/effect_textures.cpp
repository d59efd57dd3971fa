#include "objects/effect/effect_textures.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "geometry/float_math.h"
#include "objects/effect/effect_math.h"

namespace effect_textures {

using effect_math::Alpha;
using effect_math::LerpRgb;
using effect_math::RandomBelow;
using effect_math::ToChannel;

namespace {

// Squared integer distances stay exact: the largest texture is 1024 texels wide.
float Square(int64_t difference) { return static_cast<float>(difference * difference); }

float SquaredDistance(int64_t di, int64_t dj) { return static_cast<float>(di * di + dj * dj); }

// Spent spots are respawned at random; the draws come in the order of the six arrays.
void AgeRippleSpots(const SpotArrays& spots, uint32_t size) {
    const auto count = static_cast<uint32_t>(spots.X.size());
    for (uint32_t k = 0; k < count; ++k) {
        if (spots.Amplitude[k] >= 2) {
            --spots.Amplitude[k];
            continue;
        }
        spots.X[k] = RandomBelow(size);
        spots.Y[k] = RandomBelow(size);
        spots.Amplitude[k] = RandomBelow(256);
        spots.Phase[k] = RandomBelow(size / count);
        spots.Extra1[k] = RandomBelow(count);
        spots.Extra2[k] = RandomBelow(count);
    }
    for (uint32_t k = 0; k < count; ++k) {
        ++spots.Phase[k];
    }
}

// 1 at the centre, 0 where the larger of the two offsets reaches h.
float EdgeFade(int64_t i, int64_t j, int64_t h) {
    const auto g = static_cast<float>(std::max(std::abs(j - h), std::abs(i - h)));
    const auto hf = static_cast<float>(h);
    const float edge = 1.0f - g * g * g * g / (hf * hf * hf * hf);
    return edge < 0.0f ? 0.0f : edge;
}

// The spots' summed wave at a texel, scaled into 0 <= s < 1.
float RippleLevel(const SpotArrays& spots, int64_t i, int64_t j, float aspect) {
    const size_t count = spots.X.size();
    if (count == 0) {
        return 0.0f;
    }
    float sum = 0.0f;
    for (size_t k = 0; k < count; ++k) {
        const float d = f32::sqrt(Square(i - spots.Y[k]) + Square(j - spots.X[k]) * aspect);
        const float wave = f32::sin(static_cast<float>(spots.Phase[k]) * f32::TwoPi / (d + 0.1f));
        sum += (wave + 1.0f) * static_cast<float>(spots.Amplitude[k]) / 2.0f;
    }
    return sum / static_cast<float>(256 * count);
}

float ClampUnit(float x) { return x < -1.0f ? -1.0f : (x > 1.0f ? 1.0f : x); }

// Entry of the radius table for the direction of (da, db) from the blot's centre. The cosine is
// clamped because rounding can push it past 1 when Aspect is below 1.
uint32_t RadiusIndex(int64_t da, int64_t db, float d) {
    if (d == 0.0f) {
        return 0;
    }
    float theta = f32::acos(ClampUnit(static_cast<float>(db) / d));
    if (da <= 0) {
        theta = theta + f32::Pi;
    }
    const float scaled = theta * 127.0f / f32::TwoPi;
    if (!(scaled > 0.0f)) {
        return 0;
    }
    return scaled >= 127.0f ? 127 : static_cast<uint32_t>(scaled);
}

// The box is clamped to the texture, its far edges one texel short of the last row and column.
void PaintBlot(const TexelSurface& surface, int64_t spotX, int64_t spotY, int64_t k,
               const std::array<uint32_t, 128>& radii, const EffectLook& look) {
    const int64_t last = static_cast<int64_t>(surface.Size()) - 1;
    const int64_t top = std::max<int64_t>(0, spotY - k);
    const int64_t left = std::max<int64_t>(0, spotX - k);
    const int64_t bottom = std::min(spotY + k, last);
    const int64_t right = std::min(spotX + k, last);
    const uint32_t paint = 0xFF000000u | (look.ColorB & 0x00FFFFFFu);
    for (int64_t a = 0; a < bottom - top; ++a) {
        for (int64_t b = 0; b < right - left; ++b) {
            const float d = f32::sqrt(Square(a - k) + Square(b - k) * look.Aspect);
            if (d < static_cast<float>(radii[RadiusIndex(a - k, b - k, d)])) {
                surface.Set(static_cast<uint32_t>(top + a), static_cast<uint32_t>(left + b), paint);
            }
        }
    }
}

}  // namespace

void Ripples(const TexelSurface& surface, const SpotArrays& spots, const EffectLook& look) {
    const uint32_t size = surface.Size();
    AgeRippleSpots(spots, size);
    const int64_t h = size / 2;
    for (uint32_t i = 0; i < size; ++i) {
        for (uint32_t j = 0; j < size; ++j) {
            const uint32_t a = ToChannel(EdgeFade(i, j, h) * 255.0f * look.Blend);
            const float s = RippleLevel(spots, i, j, look.Aspect);
            surface.Set(i, j, (a << 24) + LerpRgb(look.ColorA, look.ColorB, s));
        }
    }
}

void SoftDisc(const TexelSurface& surface, const EffectLook& look) {
    const uint32_t size = surface.Size();
    const int64_t h = size / 2;
    const auto hf = static_cast<float>(h);
    const float r = hf / look.Aspect;
    const auto alpha = static_cast<float>(Alpha(look.ColorB));
    const uint32_t rgb = look.ColorB & 0x00FFFFFFu;
    for (uint32_t i = 0; i < size; ++i) {
        for (uint32_t j = 0; j < size; ++j) {
            const float d = f32::sqrt(SquaredDistance(i - h, j - h));
            float f = 0.0f;
            if (d < r) {
                f = 1.0f;
            } else if (d < hf) {
                f = (hf - d) / (hf - r);
            }
            surface.Set(i, j, (ToChannel(alpha * f) << 24) + rgb);
        }
    }
}

void Crescent(const TexelSurface& surface, const EffectLook& look) {
    const uint32_t size = surface.Size();
    const int64_t h = size / 2;
    const auto hf = static_cast<float>(h);
    const auto alpha = static_cast<float>(Alpha(look.ColorB));
    const uint32_t rgb = look.ColorB & 0x00FFFFFFu;
    for (uint32_t i = 0; i < size; ++i) {
        for (uint32_t j = 0; j < size; ++j) {
            const float a = f32::sqrt(SquaredDistance(i - h, j));
            const float b = f32::sqrt(SquaredDistance(i - h, j - h));
            float f = 0.0f;
            if (a >= hf && (b <= hf || j <= h)) {
                const float inner = f32::sqrt(static_cast<float>(h * h - (i - h) * (i - h)));
                const float w = (static_cast<float>(j) - inner) / hf;
                f = w < 0.5f ? 2.0f * w : 1.0f - 2.0f * (w - 0.5f);
            }
            surface.Set(i, j, (ToChannel(alpha * f) << 24) + rgb);
        }
    }
}

void Comet(const TexelSurface& surface, const EffectLook& look, float tailX, float tailY) {
    const uint32_t size = surface.Size();
    const int64_t h = size / 2;
    const float inv = 1.0f / (tailX * tailX + tailY * tailY);
    const float r = static_cast<float>(h) / look.Aspect;
    const uint32_t alphaA = Alpha(look.ColorA);
    const uint32_t rgb = LerpRgb(look.ColorA, look.ColorB, 1.0f - look.Blend);
    // The texel's alpha depends on its distance only through a0, an 8-bit value.
    std::array<uint32_t, 256> alphaOf{};
    for (uint32_t a0 = 0; a0 < 256; ++a0) {
        const auto a0f = static_cast<float>(a0);
        const float scaled = static_cast<float>(a0 * alphaA) / 255.0f;
        alphaOf[a0] = ToChannel(a0f + (scaled - a0f) * look.Blend) << 24;
    }
    for (uint32_t i = 0; i < size; ++i) {
        for (uint32_t j = 0; j < size; ++j) {
            const int64_t di = i - h;
            const int64_t dj = j - h;
            const float p = static_cast<float>(di) * tailY + static_cast<float>(dj) * tailX;
            float d2 = SquaredDistance(di, dj);
            if (p > 0.0f) {
                // A NaN or infinite inv (no tail) makes v NaN, and the comparison keeps d2.
                const float q = inv * (p * p);
                const float v = q * inv + (d2 - q);
                if (v < d2) {
                    d2 = v;
                }
            }
            const float f = std::min(1.0f, d2 / r / r);
            surface.Set(i, j, alphaOf[ToChannel((1.0f - f) * 255.0f)] + rgb);
        }
    }
}

void Tint(const TexelSurface& surface, const EffectLook& look) {
    const uint32_t size = surface.Size();
    const auto alphaB = static_cast<float>(Alpha(look.ColorB));
    const float product = static_cast<float>(Alpha(look.ColorB) * Alpha(look.ColorA)) / 255.0f;
    const float factor = alphaB + (product - alphaB) * look.Blend;
    const uint32_t rgb = LerpRgb(look.ColorA, look.ColorB, 1.0f - look.Blend);
    std::array<uint32_t, 256> texelOf{};
    for (uint32_t alpha = 0; alpha < 256; ++alpha) {
        const auto a = static_cast<float>(alpha);
        texelOf[alpha] = (ToChannel(a * factor / 255.0f) << 24) + rgb;
    }
    for (uint32_t i = 0; i < size; ++i) {
        for (uint32_t j = 0; j < size; ++j) {
            surface.Set(i, j, texelOf[Alpha(surface.Get(i, j))]);
        }
    }
}

void Splatter(const TexelSurface& surface, const SpotArrays& spots, const EffectLook& look,
              bool firstTime) {
    const uint32_t size = surface.Size();
    if (firstTime) {
        for (uint32_t i = 0; i < size; ++i) {
            for (uint32_t j = 0; j < size; ++j) {
                surface.Set(i, j, 0);
            }
        }
    }
    const uint32_t k = RandomBelow(50) + 50;
    std::array<uint32_t, 128> radii{};
    for (uint32_t& radius : radii) {
        radius = RandomBelow(3 * k / 4) + k / 4;
    }
    for (size_t s = 0; s < spots.X.size(); ++s) {
        PaintBlot(surface, spots.X[s], spots.Y[s], k, radii, look);
    }
    for (uint32_t& x : spots.X) {
        x = RandomBelow(size);
    }
    for (uint32_t& y : spots.Y) {
        y = RandomBelow(size);
    }
}

}  // namespace effect_textures
