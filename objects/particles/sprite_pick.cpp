#include "objects/particles/sprite_pick.h"

#include "geometry/float_math.h"
#include "objects/effect/effect_math.h"

namespace sprite_pick {

using effect_math::TruncateToInt;

namespace {

int32_t InList(int64_t index, size_t spriteCount) {
    return index >= 0 && static_cast<uint64_t>(index) < spriteCount ? static_cast<int32_t>(index)
                                                                    : -1;
}

// Rounding can push a cosine just past +-1, where the arc cosine has no value.
float ClampUnit(float x) { return x < -1.0f ? -1.0f : (x > 1.0f ? 1.0f : x); }

// A particle's ring and sector come back as whole numbers only up to rounding, often just below
// them. The sector's jitter keeps it a hundredth or more below the next whole number, so half of
// that lifts the rounding losses and nothing else.
constexpr float CellTolerance = 0.005f;

// Nearer a pole than this the azimuth has no meaning. The sine of the float nearest pi is
// -8.7e-8, not 0.
constexpr float PoleSine = 1e-6f;

bool CellNumber(float value, int32_t* number) {
    return TruncateToInt(value + CellTolerance, number);
}

}  // namespace

int32_t Plume(float positionY, float velocityX, size_t spriteCount) {
    int32_t block = 0;
    int32_t within = 0;
    if (!TruncateToInt((positionY + 50.0f) / 150.0f * 19.0f, &block) ||
        !TruncateToInt((velocityX + 1.0f) / 2.0f * 9.0f, &within)) {
        return -1;
    }
    return InList(10 * static_cast<int64_t>(block) + within, spriteCount);
}

int32_t Explosion(const Vec3& velocity, uint32_t gridSide, size_t spriteCount) {
    const int64_t steps = static_cast<int64_t>(gridSide) - 1;
    const float theta = f32::acos(ClampUnit(velocity.z));
    const float sinTheta = f32::sin(theta);
    int32_t ring = 0;
    if (!CellNumber(theta / f32::Pi * static_cast<float>(steps), &ring)) {
        return -1;
    }
    int32_t sector = 0;
    if (f32::fabs(sinTheta) > PoleSine) {
        float phi = f32::acos(ClampUnit(velocity.x / sinTheta));
        if (f32::fabs(f32::sin(phi) * sinTheta - velocity.y) > 0.0001f) {
            phi = f32::TwoPi - phi;
        }
        if (!CellNumber(phi / f32::TwoPi * static_cast<float>(steps), &sector)) {
            return -1;
        }
        // A full turn is the first sector again.
        if (sector == steps) {
            sector = 0;
        }
    }
    return InList(static_cast<int64_t>(gridSide) * ring + sector, spriteCount);
}

}  // namespace sprite_pick
