#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/float_math.h"
#include "objects/particles/sprite_pick.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

TEST(PlumeSpritePick, HeightPicksTheBlockSpeedTheSprite) {
    EXPECT_EQ(sprite_pick::Plume(-50.0f, -1.0f, 202), 0);
    EXPECT_EQ(sprite_pick::Plume(-50.0f, 1.0f, 202), 9);
    EXPECT_EQ(sprite_pick::Plume(100.0f, 1.0f, 202), 199);
    // A parked particle: (0, 100) at rest.
    EXPECT_EQ(sprite_pick::Plume(100.0f, 0.0f, 202), 194);
    // 75 / 150 * 19 = 9.5; (0.5 + 1) / 2 * 9 = 6.75.
    EXPECT_EQ(sprite_pick::Plume(25.0f, 0.5f, 202), 96);
}

// Picks that leave the list, or are not numbers, draw nothing instead of walking past its end.
TEST(PlumeSpritePick, OutsideTheListPicksNothing) {
    EXPECT_EQ(sprite_pick::Plume(108.0f, 0.0f, 202), -1);
    EXPECT_EQ(sprite_pick::Plume(-60.0f, 0.0f, 202), -1);
    EXPECT_EQ(sprite_pick::Plume(-50.0f, -1.5f, 202), -1);
    EXPECT_EQ(sprite_pick::Plume(NaN, 0.0f, 202), -1);
    EXPECT_EQ(sprite_pick::Plume(0.0f, NaN, 202), -1);
    EXPECT_EQ(sprite_pick::Plume(1e30f, 0.0f, 202), -1);
    EXPECT_EQ(sprite_pick::Plume(-1e30f, 0.0f, 202), -1);
    EXPECT_EQ(sprite_pick::Plume(0.0f, 3e9f, 202), -1);
    EXPECT_EQ(sprite_pick::Plume(100.0f, 1.0f, 199), -1);
    EXPECT_EQ(sprite_pick::Plume(-50.0f, -1.0f, 0), -1);
}

// A direction inside the grid cell, away from its boundaries.
Vec3 Cell(float ring, float sector) {
    const float theta = ring * f32::Pi / 7.0f;
    const float phi = sector * f32::TwoPi / 7.0f;
    return {f32::cos(phi) * f32::sin(theta), f32::sin(phi) * f32::sin(theta), f32::cos(theta)};
}

TEST(ExplosionSpritePick, RecoversRingAndSector) {
    EXPECT_EQ(sprite_pick::Explosion(Cell(3.5f, 5.5f), 8, 64), 29);
    EXPECT_EQ(sprite_pick::Explosion(Cell(1.5f, 0.5f), 8, 64), 8);
    EXPECT_EQ(sprite_pick::Explosion(Cell(6.5f, 6.9f), 8, 64), 54);
    EXPECT_EQ(sprite_pick::Explosion({0.0f, 0.0f, 1.0f}, 8, 64), 0);
}

// A particle made at ring d, sector e with jitter j / 100, as the explosion builds it.
Vec3 Made(uint32_t side, uint32_t d, uint32_t e, uint32_t j) {
    const auto steps = static_cast<float>(side - 1);
    const float theta = static_cast<float>(d) * f32::Pi / steps;
    const float jitter = static_cast<float>(j) / 100.0f;
    const float phi = static_cast<float>(e) * f32::TwoPi / steps + jitter * f32::TwoPi / steps;
    return {f32::cos(phi) * f32::sin(theta), f32::sin(phi) * f32::sin(theta), f32::cos(theta)};
}

// Rings and sectors land on whole numbers, where rounding alone must not drop a particle into
// the cell below. The poles have no sector, and the last sector, a full turn past the first,
// wraps to it. Every jitter, on grids up to 22 x 22 (the scene's is 8 x 8).
TEST(ExplosionSpritePick, MadeParticlesPickTheCellTheyWereMadeIn) {
    for (uint32_t side = 2; side <= 22; ++side) {
        for (uint32_t d = 0; d < side; ++d) {
            for (uint32_t e = 0; e < side; ++e) {
                const bool pole = d == 0 || d == side - 1;
                const uint32_t cell = side * d + (pole || e == side - 1 ? 0 : e);
                for (uint32_t j = 0; j < 100; ++j) {
                    ASSERT_EQ(sprite_pick::Explosion(Made(side, d, e, j), side, side * side),
                              static_cast<int32_t>(cell))
                        << side << ": " << d << ", " << e << ", " << j;
                }
            }
        }
    }
}

// Cosines a rounding step past 1 count as +-1 rather than giving a NaN angle.
TEST(ExplosionSpritePick, ClampsArcCosineArguments) {
    // x / sin(theta) = 0.5 / 0.436 > 1: the azimuth counts as 0.
    EXPECT_EQ(sprite_pick::Explosion({0.5f, 0.0f, 0.9f}, 8, 64), 8);
    // Beyond the pole: theta 0, sector 0.
    EXPECT_EQ(sprite_pick::Explosion({0.0f, 0.0f, 1.0000001f}, 8, 64), 0);
    EXPECT_EQ(sprite_pick::Explosion({0.3f, 0.0f, 1.5f}, 8, 64), 0);
    // Below the other pole: theta pi, ring 7.
    EXPECT_EQ(sprite_pick::Explosion({0.0f, 0.0f, -1.5f}, 8, 64), 56);
}

TEST(ExplosionSpritePick, OutsideTheListPicksNothing) {
    EXPECT_EQ(sprite_pick::Explosion({NaN, 0.0f, 0.0f}, 8, 64), -1);
    EXPECT_EQ(sprite_pick::Explosion({0.0f, 0.0f, NaN}, 8, 64), -1);
    EXPECT_EQ(sprite_pick::Explosion(Cell(3.5f, 5.5f), 8, 29), -1);
    EXPECT_EQ(sprite_pick::Explosion(Cell(3.5f, 5.5f), 8, 30), 29);
    // A single cell has no spacing: the angles divide by zero.
    EXPECT_EQ(sprite_pick::Explosion({0.0f, 0.0f, 0.0f}, 1, 1), 0);
    EXPECT_EQ(sprite_pick::Explosion({0.0f, 0.0f, 0.0f}, 0, 0), -1);
}

}  // namespace
