#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "tests/objects/particles/particle_test_support.h"

namespace {

using particle_testing::DrawsBetween;
using particle_testing::HandRandom;
using particle_testing::ParticleFixture;
using particle_testing::SceneExplosion;
using particle_testing::ScenePlume;
using particle_testing::SceneSwarm;

float Unit(uint32_t draw, uint32_t range) {
    return static_cast<float>(draw % range) / static_cast<float>(range) * 2.0f - 1.0f;
}

using SwarmConstruction = ParticleFixture;

// Per particle: x, y, two unused, two velocities, then the sprite's four draws.
TEST_F(SwarmConstruction, ParticlesFollowTheGenerator) {
    HandRandom hand;
    const auto swarm = SceneSwarm();
    for (uint32_t w = 0; w < 8; ++w) {
        const auto particle = swarm->GetParticle(w);
        EXPECT_EQ(particle.Position.x, static_cast<float>(hand.Next() % 5000) / 100.0f - 25.0f);
        EXPECT_EQ(particle.Position.y, static_cast<float>(hand.Next() % 5000) / 100.0f - 25.0f);
        EXPECT_EQ(particle.Position.z, 10.0f * w);
        EXPECT_EQ(particle.Extra1, static_cast<float>(hand.Next() % 500));
        EXPECT_EQ(particle.Extra2, static_cast<float>(hand.Next() % 500));
        EXPECT_EQ(particle.Velocity.x, Unit(hand.Next(), 500));
        EXPECT_EQ(particle.Velocity.y, Unit(hand.Next(), 500));
        EXPECT_EQ(particle.Velocity.z, 0.0f);
        hand.Skip(4);
        const ObjectEffect& sprite = swarm->GetSprite(w);
        EXPECT_EQ(sprite.GetKind(), Comet);
        EXPECT_EQ(sprite.GetLightDirection(),
                  Vec3(-5.0f * particle.Velocity.x, -5.0f * particle.Velocity.y, -0.0f));
    }
    // 41 / 5000 - 25: the sequence's first value is 41.
    EXPECT_EQ(swarm->GetParticle(0).Position.x, 0.41f - 25.0f);
    EXPECT_EQ(crt::RandomState(), hand.State);
}

TEST_F(SwarmConstruction, DrawsFarthestFirst) {
    const auto swarm = SceneSwarm();
    ASSERT_EQ(swarm->GetSpriteCount(), 8u);
    ASSERT_EQ(swarm->GetSortedSpriteCount(), 8u);
    for (uint32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(&swarm->GetSortedSprite(i), &swarm->GetSprite(7 - i));
        EXPECT_EQ(swarm->GetDrawOrder(i), 7 - i);
    }
}

using PlumeConstruction = ParticleFixture;

TEST_F(PlumeConstruction, ParticlesThenTwoBlocksOfTintedSprites) {
    HandRandom hand;
    const auto plume = ScenePlume();
    for (uint32_t w = 0; w < 2; ++w) {
        const auto particle = plume->GetParticle(w);
        EXPECT_EQ(particle.Position.x, static_cast<float>(hand.Next() % 10000) / 100.0f);
        EXPECT_EQ(particle.Position.y,
                  static_cast<float>(static_cast<int>(hand.Next() % 150) - 50));
        EXPECT_EQ(particle.Position.z, static_cast<float>(400 - w));
        hand.Skip(2);
        EXPECT_EQ(particle.Velocity.x, Unit(hand.Next(), 1000));
        const float rise = static_cast<float>(hand.Next() % 1000) / 1000.0f + 1.0f;
        EXPECT_EQ(particle.Velocity.y, rise * f32::Pi);
        EXPECT_GE(particle.Velocity.y, f32::Pi);
    }
    ASSERT_EQ(plume->GetSpriteCount(), 202u);
    EXPECT_EQ(plume->GetSortedSpriteCount(), 0u);
    for (uint32_t k = 0; k < 9; ++k) {
        for (uint32_t l = 0; l < 9; ++l) {
            const ObjectEffect& sprite = plume->GetSprite(9 * k + l);
            EXPECT_EQ(sprite.GetKind(), TintedComet);
            EXPECT_EQ(sprite.GetBlend(), static_cast<float>(k) / 9.0f);
            EXPECT_EQ(sprite.GetLightDirection(), Vec3(-(2.0f * l / 9.0f - 1.0f), 3.0f, -0.0f));
        }
    }
    for (uint32_t k = 0; k < 11; ++k) {
        for (uint32_t l = 0; l < 11; ++l) {
            const ObjectEffect& sprite = plume->GetSprite(81 + 11 * k + l);
            EXPECT_EQ(sprite.GetBlend(), static_cast<float>(k) / 11.0f);
            EXPECT_EQ(sprite.GetLightDirection(), Vec3(-(2.0f * l / 11.0f - 1.0f), -2.0f, -0.0f));
        }
    }
}

// 202 textures of 128 x 128, the small sprites 100 wide and the large ones 150.
TEST_F(PlumeConstruction, CreateMakesEverySprite) {
    const auto plume = ScenePlume();
    ASSERT_EQ(plume->Create(), S_OK);
    ASSERT_EQ(Device.Textures().size(), 202u);
    ASSERT_EQ(Device.VertexBuffers().size(), 202u);
    for (const auto* texture : Device.Textures()) {
        EXPECT_EQ(texture->Width(), 128u);
        EXPECT_EQ(texture->Usage, gfx::UsageDynamic);
        EXPECT_TRUE(texture->PaddingUntouched());
    }
    EXPECT_EQ(Device.VertexBuffers()[80]->At(3).Position, Vec3(50, 50, 0));
    EXPECT_EQ(Device.VertexBuffers()[81]->At(3).Position, Vec3(75, 75, 0));
    // A sprite whose Create fails is ignored.
    const auto again = ScenePlume();
    Device.FailCall(testing_support::Operation::CreateTexture, 5);
    EXPECT_EQ(again->Create(), S_OK);
    EXPECT_EQ(again->GetSprite(5).GetTexture(), nullptr);
    EXPECT_NE(again->GetSprite(6).GetTexture(), nullptr);
}

using ExplosionConstruction = ParticleFixture;

// A first pass of four draws per particle, then one jitter draw and four sprite draws per cell.
TEST_F(ExplosionConstruction, GridOfUnitVectorsWithJitteredAzimuth) {
    HandRandom hand;
    const auto explosion = SceneExplosion();
    hand.Skip(4 * 64);
    ASSERT_EQ(explosion->GetSpriteCount(), 64u);
    for (uint32_t d = 0; d < 8; ++d) {
        for (uint32_t e = 0; e < 8; ++e) {
            const uint32_t w = 8 * d + e;
            const float jitter = static_cast<float>(hand.Next() % 100) / 100.0f;
            hand.Skip(4);
            const auto particle = explosion->GetParticle(w);
            const Vec3 v = particle.Velocity;
            EXPECT_EQ(particle.Position, v);
            EXPECT_NEAR(v.x * v.x + v.y * v.y + v.z * v.z, 1.0f, 1e-6f);
            EXPECT_NEAR(std::acos(v.z), d * M_PI / 7, 1e-6);
            if (d > 0 && d < 7) {
                // The last sector starts a seventh of a turn past the first one: it wraps.
                const double turn = 2 * M_PI;
                double phi = std::atan2(v.y, v.x);
                phi = phi < -1e-6 ? phi + turn : phi;
                const double expected = std::fmod((e + jitter) * turn / 7, turn);
                EXPECT_NEAR(phi, expected, 1e-5) << w;
            }
            EXPECT_EQ(explosion->GetSprite(w).GetLightDirection(),
                      Vec3(-5.0f * v.x, -5.0f * v.y, -5.0f * v.z));
            EXPECT_EQ(explosion->GetSprite(w).GetKind(), TintedComet);
        }
    }
    EXPECT_EQ(crt::RandomState(), hand.State);
}

using SceneConstruction = ParticleFixture;

// Effects 1 to 7, then managers 1 to 3, twice from the initial state.
TEST_F(SceneConstruction, RandomValuesRepeatFromTheSameState) {
    const auto build = [] {
        crt::srand(1);
        std::vector<float> values;
        const int kinds[7] = {Ripples, SoftDisc, SoftDisc, SoftDisc, Crescent, Crescent, Splatter};
        const uint32_t sizes[7] = {128, 512, 512, 512, 512, 512, 1024};
        for (int i = 0; i < 7; ++i) {
            const uint32_t spots = kinds[i] == Splatter ? 10 : 5;
            const ObjectEffect effect(kinds[i], 1, sizes[i], 51.0f, 2.0f, spots, 0, 0, {});
            for (uint32_t k = 0; k < spots; ++k) {
                const ObjectEffect::Spot spot = effect.GetSpot(k);
                values.insert(values.end(), {float(spot.X), float(spot.Y), float(spot.Amplitude),
                                             float(spot.Phase)});
            }
        }
        const uint32_t before = crt::RandomState();
        for (const auto& manager : {SceneSwarm(), SceneExplosion(), ScenePlume()}) {
            for (uint32_t w = 0; w < manager->GetCount(); ++w) {
                const auto p = manager->GetParticle(w);
                values.insert(values.end(), {p.Position.x, p.Position.y, p.Position.z, p.Velocity.x,
                                             p.Velocity.y, p.Velocity.z});
            }
        }
        values.push_back(static_cast<float>(DrawsBetween(before, crt::RandomState())));
        return values;
    };
    const std::vector<float> first = build();
    EXPECT_EQ(first.back(), 80.0f + 576.0f + 3208.0f);
    EXPECT_EQ(build(), first);
}

TEST_F(SceneConstruction, DrawsPerManager) {
    for (const auto& [kind, range, count, draws] : {std::tuple{Swarm, 500u, 8u, 80},
                                                    {Explosion, 1000u, 64u, 576},
                                                    {Plume, 1000u, 400u, 3208},
                                                    {Explosion, 1000u, 10u, 40 + 9 * 5},
                                                    {Plume, 1000u, 0u, 808}}) {
        const uint32_t before = crt::RandomState();
        const ObjectParticuleManager manager(kind, range, count, 0, 0);
        EXPECT_EQ(DrawsBetween(before, crt::RandomState()), draws) << kind << " " << count;
    }
}

}  // namespace
