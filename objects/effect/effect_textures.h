#pragma once

#include <cstdint>
#include <span>

#include "objects/effect/texel_surface.h"

// What the generators read from an effect besides its spots.
struct EffectLook {
    uint32_t ColorA = 0;
    uint32_t ColorB = 0;
    float Blend = 0.0f;
    float Aspect = 1.0f;
};

// The effect's six parallel spot arrays, all of the same length.
struct SpotArrays {
    std::span<uint32_t> X;
    std::span<uint32_t> Y;
    std::span<uint32_t> Amplitude;
    std::span<uint32_t> Phase;
    std::span<uint32_t> Extra1;
    std::span<uint32_t> Extra2;
};

// The texel-by-texel pictures of the effects. Each writes every texel of the surface it is given
// (the splatter only its blots), and those that move their spots draw from crt::rand in a fixed
// order, which fixes the picture.
namespace effect_textures {

// Interference rings between ColorA and ColorB around the spots, faded to the edges; one pass
// ages the spots (respawning the spent ones) and advances their phase.
void Ripples(const TexelSurface& surface, const SpotArrays& spots, const EffectLook& look);

// A disc of ColorB, opaque out to the rim radius over Aspect, then fading linearly to the rim.
void SoftDisc(const TexelSurface& surface, const EffectLook& look);

// The band of ColorB outside the circle around the middle of the left edge.
void Crescent(const TexelSurface& surface, const EffectLook& look);

// A disc whose half on the side of (tailX, tailY) is stretched by that vector's length.
void Comet(const TexelSurface& surface, const EffectLook& look, float tailX, float tailY);

// Re-tints the current picture; its alpha is scaled again on every call.
void Tint(const TexelSurface& surface, const EffectLook& look);

// Ragged opaque blots of ColorB at the spots, which then move. The first pass clears the texture.
void Splatter(const TexelSurface& surface, const SpotArrays& spots, const EffectLook& look,
              bool firstTime);

}  // namespace effect_textures
