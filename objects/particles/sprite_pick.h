#pragma once

#include <cstddef>
#include <cstdint>

#include "geometry/vec3.h"

// Which shared sprite a particle is drawn with. Both picks are computed from floats; a pick that
// falls outside the sprite list (or is not a number) yields -1, and nothing is drawn for it.
namespace sprite_pick {

// Plume: height picks the block of ten, sideways speed the sprite within it.
int32_t Plume(float positionY, float velocityX, size_t spriteCount);

// Explosion: recovers the grid cell (ring, sector) of the unit vector the particle was made
// from, allowing for rounding just below a cell's edge; at the poles, and a full turn round,
// the sector counts as 0.
int32_t Explosion(const Vec3& velocity, uint32_t gridSide, size_t spriteCount);

}  // namespace sprite_pick
