#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geometry/matrix_math.h"
#include "tests/objects/particles/particle_test_support.h"

namespace {

using particle_testing::DrawsBetween;
using particle_testing::ParticleFixture;
using particle_testing::SceneExplosion;
using particle_testing::ScenePlume;
using particle_testing::SceneSwarm;
using Particle = ObjectParticuleManager::Particle;

// Frames 41 ms apart, so that every call steps.
constexpr uint32_t Frame = 41;

std::vector<Particle> Snapshot(const ObjectParticuleManager& manager) {
    std::vector<Particle> particles;
    for (uint32_t w = 0; w < manager.GetCount(); ++w) {
        particles.push_back(manager.GetParticle(w));
    }
    return particles;
}

void ExpectSameParticles(const std::vector<Particle>& a, const std::vector<Particle>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t w = 0; w < a.size(); ++w) {
        EXPECT_EQ(a[w].Position, b[w].Position) << w;
        EXPECT_EQ(a[w].Velocity, b[w].Velocity) << w;
    }
}

using ManagerRender = ParticleFixture;

TEST_F(ManagerRender, FirstRenderStartsEverySpriteAndSteps) {
    const auto plume = ScenePlume();
    EXPECT_FALSE(plume->GetSprite(0).IsActive());
    EXPECT_EQ(plume->Render(5000), 0);
    EXPECT_TRUE(plume->IsStarted());
    for (size_t i = 0; i < plume->GetSpriteCount(); ++i) {
        ASSERT_TRUE(plume->GetSprite(i).IsActive());
        ASSERT_EQ(plume->GetSprite(i).GetStartTime(), 5000u);
    }
    EXPECT_EQ(plume->GetStepCount(), 1u);
    plume->Render(6000);
    EXPECT_EQ(plume->GetSprite(0).GetStartTime(), 5000u);
}

// Equal times step again, but the movement gate lets only the swarm's plain move through.
TEST_F(ManagerRender, EqualTimesStepTwiceButMoveOnce) {
    const auto swarm = SceneSwarm();
    const auto plume = ScenePlume();
    const auto explosion = SceneExplosion();
    for (const auto* manager : {swarm.get(), plume.get(), explosion.get()}) {
        const_cast<ObjectParticuleManager*>(manager)->Render(5000);
    }
    const auto swarmOnce = Snapshot(*swarm);
    const auto plumeOnce = Snapshot(*plume);
    const auto explosionOnce = Snapshot(*explosion);
    const uint32_t state = crt::RandomState();
    swarm->Render(5000);
    plume->Render(5000);
    explosion->Render(5000);
    EXPECT_EQ(crt::RandomState(), state);
    EXPECT_EQ(swarm->GetStepCount(), 2u);
    EXPECT_EQ(plume->GetStepCount(), 2u);
    EXPECT_EQ(explosion->GetStepCount(), 2u);
    ExpectSameParticles(Snapshot(*plume), plumeOnce);
    ExpectSameParticles(Snapshot(*explosion), explosionOnce);
    for (uint32_t w = 0; w < 8; ++w) {
        const Particle p = swarm->GetParticle(w);
        EXPECT_EQ(p.Velocity, swarmOnce[w].Velocity);
        EXPECT_EQ(p.Position.x, swarmOnce[w].Position.x + 1.5f * p.Velocity.x);
    }
    // 40 ms later: no step; 41 ms: one.
    swarm->Render(5040);
    EXPECT_EQ(swarm->GetStepCount(), 2u);
    swarm->Render(5041);
    EXPECT_EQ(swarm->GetStepCount(), 3u);
}

using SwarmMotion = ParticleFixture;

TEST_F(SwarmMotion, StagesFadeAndVanish) {
    const auto swarm = SceneSwarm();
    ASSERT_EQ(swarm->Create(), S_OK);
    for (uint32_t call = 0; call < 420; ++call) {
        Device.ClearRecords();
        swarm->Render(1000 + Frame * call);
        const int stage = call <= 100 ? 0 : (call <= 300 ? 1 : 2);
        ASSERT_EQ(swarm->GetStage(), stage) << call;
        ASSERT_EQ(swarm->GetStepCount(), call + 1);
        if (call <= 301) {
            ASSERT_EQ(swarm->GetFade(), 0.0f) << call;
        } else if (call == 302) {
            ASSERT_EQ(swarm->GetFade(), 0.01f);
        }
        // A hundred rises of 0.01 pass 0.995: drawn up to call 400, hidden from 401.
        ASSERT_EQ(Device.Draws.size(), call < 401 ? 8u : 0u) << call;
        if (stage == 2) {
            ASSERT_EQ(swarm->GetSprite(3).GetBlend(), swarm->GetFade());
        }
    }
    EXPECT_GE(swarm->GetFade(), 0.995f);
    EXPECT_LT(swarm->GetFade(), 1.01f);
}

// Sprites are drawn farthest first, where the last SetTranslation placed them.
TEST_F(SwarmMotion, DrawsFarthestFirstAtTheGivenPlaces) {
    const auto swarm = SceneSwarm();
    ASSERT_EQ(swarm->Create(), S_OK);
    const Matrix4 placed = MatrixTranslation(0, 0, 1000);
    swarm->SetTranslation(&placed);
    const auto before = Snapshot(*swarm);
    Device.ClearRecords();
    swarm->Render(5000);
    ASSERT_EQ(Device.Draws.size(), 8u);
    for (uint32_t i = 0; i < 8; ++i) {
        const Matrix4& world = Device.Draws[i].World;
        EXPECT_EQ(world(3, 2), 1070.0f - 10.0f * i) << i;
        EXPECT_EQ(world(3, 0), before[7 - i].Position.x) << i;
    }
}

// Each axis is pulled 0.01 towards the origin's side, up to a speed of 0.99; a zero position
// or velocity is left alone.
TEST_F(SwarmMotion, SteersTowardsTheOrigin) {
    const auto swarm = SceneSwarm();
    ParticleManagerProbe::Place(*swarm, 0, {10.0f, -10.0f, 0.0f}, {0.5f, 0.5f, 0.0f});
    ParticleManagerProbe::Place(*swarm, 1, {3.0f, 20.0f, 0.0f}, {0.0f, -0.995f, 0.0f});
    ParticleManagerProbe::Place(*swarm, 2, {-10.0f, -10.0f, 0.0f}, {-0.5f, 0.995f, 0.0f});
    ParticleManagerProbe::Place(*swarm, 3, {-0.75f, 10.0f, 0.0f}, {0.5f, -0.5f, 0.0f});
    swarm->Render(5000);
    EXPECT_EQ(swarm->GetParticle(0).Velocity, Vec3(0.5f - 0.01f, 0.5f + 0.01f, 0.0f));
    EXPECT_EQ(swarm->GetParticle(0).Position, Vec3(10.75f, -9.25f, 0.0f));
    EXPECT_EQ(swarm->GetParticle(1).Velocity, Vec3(0.0f, -0.995f, 0.0f));
    EXPECT_EQ(swarm->GetParticle(2).Velocity, Vec3(-0.5f + 0.01f, 0.995f, 0.0f));
    EXPECT_EQ(swarm->GetParticle(3).Velocity, Vec3(0.5f, -0.5f - 0.01f, 0.0f));
    // The comet's tail follows the new velocity.
    EXPECT_EQ(swarm->GetSprite(0).GetLightDirection(),
              Vec3(-5.0f * (0.5f - 0.01f), -5.0f * (0.5f + 0.01f), -0.0f));
}

// From stage 1 the second half turns to -x and loses its vertical speed.
TEST_F(SwarmMotion, SecondHalfScattersFromStageOne) {
    const auto swarm = SceneSwarm();
    ParticleManagerProbe::SetStage(*swarm, 1, 150);
    ParticleManagerProbe::Place(*swarm, 3, {10.0f, 10.0f, 0.0f}, {0.5f, 0.5f, 0.0f});
    ParticleManagerProbe::Place(*swarm, 4, {0.0f, 0.0f, 0.0f}, {-0.5f, 0.3f, 0.0f});
    ParticleManagerProbe::Place(*swarm, 5, {0.0f, 0.0f, 0.0f}, {-1.0f, -0.3f, 0.0f});
    ParticleManagerProbe::Place(*swarm, 6, {0.0f, 0.0f, 0.0f}, {-1.2f, 0.0f, 0.0f});
    ParticleManagerProbe::Place(*swarm, 7, {0.0f, 0.0f, 0.0f}, {0.7f, 0.3f, 0.0f});
    swarm->Render(5000);
    EXPECT_EQ(swarm->GetParticle(3).Velocity, Vec3(0.5f - 0.01f, 0.5f - 0.01f, 0.0f));
    EXPECT_EQ(swarm->GetParticle(4).Velocity, Vec3(-0.5f - 0.01f, 0.3f - 0.01f, 0.0f));
    EXPECT_EQ(swarm->GetParticle(5).Velocity, Vec3(-1.0f, -0.3f + 0.01f, 0.0f));
    EXPECT_EQ(swarm->GetParticle(6).Velocity, Vec3(-1.0f, 0.0f, 0.0f));
    EXPECT_EQ(swarm->GetParticle(7).Velocity, Vec3(0.7f - 0.01f, 0.3f - 0.01f, 0.0f));
}

TEST_F(SwarmMotion, StopEmissionChangesNothing) {
    const auto plain = SceneSwarm();
    crt::srand(1);
    const auto stopped = SceneSwarm();
    stopped->StopEmission();
    for (uint32_t call = 0; call < 150; ++call) {
        plain->Render(1000 + Frame * call);
        stopped->Render(1000 + Frame * call);
    }
    ExpectSameParticles(Snapshot(*stopped), Snapshot(*plain));
    EXPECT_EQ(stopped->GetStage(), plain->GetStage());
}

using PlumeMotion = ParticleFixture;

// The slowest rise is pi per step over at most 150 units: 48 steps park every particle.
TEST_F(PlumeMotion, StopEmissionParksEveryParticleWithin48Steps) {
    const auto plume = ScenePlume();
    uint32_t time = 1000;
    for (int step = 0; step < 60; ++step) {
        plume->Render(time += Frame);
    }
    plume->StopEmission();
    for (int step = 0; step < 48; ++step) {
        Device.ClearRecords();
        plume->Render(time += Frame);
    }
    for (uint32_t w = 0; w < 400; ++w) {
        const Particle p = plume->GetParticle(w);
        ASSERT_EQ(p.Position.x, 0.0f) << w;
        ASSERT_EQ(p.Position.y, 100.0f) << w;
        ASSERT_EQ(p.Velocity.x, 0.0f) << w;
    }
    // Parked particles keep drawing: one wander draw, then the two respawn draws, each.
    const uint32_t state = crt::RandomState();
    plume->Render(time += Frame);
    EXPECT_EQ(DrawsBetween(state, crt::RandomState()), 1200);
    EXPECT_EQ(plume->GetParticle(0).Position, Vec3(0.0f, 100.0f, 400.0f));
}

TEST_F(PlumeMotion, RespawnsAboveTheTopButNotAtIt) {
    const auto plume = ScenePlume();
    ParticleManagerProbe::Place(*plume, 0, {5.0f, 99.0f, 400.0f}, {0.25f, 1.0f, 0.0f});
    ParticleManagerProbe::Place(*plume, 1, {5.0f, 99.5f, 399.0f}, {0.25f, 1.0f, 0.0f});
    plume->Render(5000);
    EXPECT_EQ(plume->GetParticle(0).Position, Vec3(5.25f, 100.0f, 400.0f));
    EXPECT_EQ(plume->GetParticle(1).Position.y, -50.0f);
    EXPECT_EQ(plume->GetParticle(1).Velocity.y, 1.0f);
    EXPECT_LE(plume->GetParticle(1).Position.x, 100.0f);
}

// Each particle moves its sprite to its own place just before drawing it.
TEST_F(PlumeMotion, SharedSpritesArePlacedPerParticle) {
    const auto plume = ScenePlume();
    const Matrix4 placed = MatrixTranslation(200.0f, -20.0f, 800.0f);
    plume->SetTranslation(&placed);
    for (uint32_t i : {0u, 100u, 201u}) {
        const Particle p = plume->GetParticle(i);
        EXPECT_EQ(
            *plume->GetSprite(i).GetTranslation(),
            MatrixMultiply(MatrixTranslation(p.Position.x, p.Position.y, p.Position.z), placed));
    }
    Device.ClearRecords();
    plume->Render(5000);
    std::vector<Matrix4> worlds;
    for (const auto& call : Device.Calls) {
        if (call.Name == "SetTransform") {
            worlds.push_back(call.Matrix);
        }
    }
    ASSERT_EQ(worlds.size(), 400u);
    for (uint32_t r = 0; r < 400; ++r) {
        const Particle p = plume->GetParticle(r);
        ASSERT_EQ(
            worlds[r],
            MatrixMultiply(MatrixTranslation(p.Position.x, p.Position.y, p.Position.z), placed))
            << r;
    }
}

TEST_F(PlumeMotion, RotationReachesEverySprite) {
    const auto plume = ScenePlume();
    const Matrix4 turned = MatrixRotationZ(0.5f);
    plume->SetRotation(&turned);
    EXPECT_EQ(*plume->GetRotation(), turned);
    for (size_t i = 0; i < plume->GetSpriteCount(); ++i) {
        ASSERT_EQ(*plume->GetSprite(i).GetRotation(), turned);
    }
}

// Fewer particles than sprites: the sprites without a particle keep their place.
TEST_F(PlumeMotion, SpritesWithoutParticlesAreLeftAlone) {
    ObjectParticuleManager plume(Plume, 1000, 10, 0, 0);
    const Matrix4 placed = MatrixTranslation(1.0f, 2.0f, 3.0f);
    plume.SetTranslation(&placed);
    EXPECT_NE(*plume.GetSprite(9).GetTranslation(), Matrix4::Identity());
    EXPECT_EQ(*plume.GetSprite(10).GetTranslation(), Matrix4::Identity());
    EXPECT_EQ(*plume.GetSprite(201).GetTranslation(), Matrix4::Identity());
    EXPECT_EQ(plume.Render(5000), 0);
}

using ExplosionMotion = ParticleFixture;

// Ten particles make a 3 x 3 grid: the tenth keeps its first-pass values, moves, and is not drawn.
TEST_F(ExplosionMotion, ParticlesBeyondTheGridMoveUndrawn) {
    ObjectParticuleManager explosion(Explosion, 1000, 10, 0xFF0000FF, 0xFFFFFF00);
    ASSERT_EQ(explosion.GetSpriteCount(), 9u);
    ASSERT_EQ(explosion.Create(), S_OK);
    const Particle before = explosion.GetParticle(9);
    EXPECT_EQ(before.Position, Vec3(0, 0, 0));
    Device.ClearRecords();
    explosion.Render(5000);
    EXPECT_EQ(Device.Draws.size(), 9u);
    EXPECT_EQ(explosion.GetParticle(9).Position, 2.0f * before.Velocity);
}

// Fading from step 22, hidden a hundred steps later while the sphere keeps growing.
TEST_F(ExplosionMotion, FadesThenHidesWhileExpanding) {
    const auto explosion = SceneExplosion();
    ASSERT_EQ(explosion->Create(), S_OK);
    const Matrix4 placed = MatrixTranslation(-100.0f, 0.0f, 400.0f);
    float radius = 1.0f;
    for (uint32_t call = 0; call < 140; ++call) {
        explosion->SetTranslation(&placed);
        Device.ClearRecords();
        explosion->Render(1000 + Frame * call);
        ASSERT_EQ(explosion->GetStage(), call <= 20 ? 0 : 1) << call;
        if (call <= 21) {
            ASSERT_EQ(explosion->GetFade(), 0.0f) << call;
        } else if (call == 22) {
            ASSERT_EQ(explosion->GetFade(), 0.01f);
        }
        ASSERT_EQ(Device.Draws.size(), call < 121 ? 64u : 0u) << call;
        const Vec3 p = explosion->GetParticle(20).Position;
        const float now = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        ASSERT_NEAR(now, radius + 2.0f, 1e-3f) << call;
        radius = now;
    }
}

TEST_F(ExplosionMotion, SpritesFollowTheirParticles) {
    const auto explosion = SceneExplosion();
    const Matrix4 placed = MatrixTranslation(-100.0f, 0.0f, 400.0f);
    const Matrix4 turned = MatrixRotationX(0.3f);
    explosion->Render(5000);
    explosion->SetTranslation(&placed);
    explosion->SetRotation(&turned);
    for (uint32_t w : {0u, 27u, 63u}) {
        const Vec3 p = explosion->GetParticle(w).Position;
        EXPECT_EQ(*explosion->GetSprite(w).GetTranslation(),
                  MatrixMultiply(MatrixTranslation(p.x, p.y, p.z), placed));
        EXPECT_EQ(*explosion->GetSprite(w).GetRotation(), turned);
    }
}

}  // namespace
