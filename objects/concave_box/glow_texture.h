#pragma once

#include <cstdint>

#include "platform/graphics_device.h"

// Fills size x size texels of a locked 32-bit level with a yellow four-pointed star: an opaque
// centre, thin streaks along x and y fading out at the edges, a round core of a quarter of the
// side, orange-tinged where the core outweighs the streaks.
void FillGlowTexture(const gfx::LockedRect& locked, uint32_t size);

// The star's texel at column j of row i, for a texture of size x size texels.
uint32_t GlowTexel(int32_t i, int32_t j, int32_t size);
