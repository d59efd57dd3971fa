#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <vector>

#include "objects/effect/object_effect.h"
#include "objects/particles/object_particule_manager.h"
#include "objects/particles/sprite_pick.h"
#include "tests/scene/scene_harness.h"
#include "tests/support/recording_device.h"

namespace {

using testing_support::RecordingVertexBuffer;
using testing_support::SceneHarness;

const Object3D& Nth(const CTalvoScene0001::ObjectList& list, size_t n) {
    return **std::next(list.begin(), static_cast<long>(n));
}

Vec3 Position(const Object3D& object) {
    const Matrix4& t = *object.GetTranslation();
    return {t(3, 0), t(3, 1), t(3, 2)};
}

// Steps the clock so that the next frame lands exactly at phase time e.
void FrameAtPhaseTime(SceneHarness& harness, uint32_t e) {
    const uint32_t now = harness.PhaseTime();
    ASSERT_GE(e, now + 40);
    harness.Frame(e - now);
}

TEST(SecondAct, ProjectorsStandInARowAndRipplesFadeInAndOut) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(6));
    EXPECT_EQ(Position(Nth(harness.Scene().GetProjectors(), 0)), Vec3(-550, 0, 800));
    EXPECT_EQ(Position(Nth(harness.Scene().GetProjectors(), 2)), Vec3(-350, 0, 800));
    const auto& ripples = dynamic_cast<const ObjectEffect&>(Nth(harness.Scene().GetEffects(), 0));
    EXPECT_TRUE(ripples.IsActive());
    EXPECT_EQ(Position(ripples), Vec3(0, 0, 400));
    FrameAtPhaseTime(harness, 1000);
    EXPECT_EQ(ripples.GetBlend(), 0.5f);
    FrameAtPhaseTime(harness, 5000);
    EXPECT_EQ(ripples.GetBlend(), 1.0f);
    FrameAtPhaseTime(harness, 12500);
    EXPECT_EQ(ripples.GetBlend(), 0.25f);
    FrameAtPhaseTime(harness, 12960);
    const float last = ripples.GetBlend();
    // The frame that ends the phase draws the ripples without a new level.
    harness.Frame();
    EXPECT_EQ(harness.Scene().GetPhase(), 7);
    EXPECT_EQ(ripples.GetBlend(), last);
    EXPECT_EQ(ripples.GetLastRenderTime(), harness.Scene().GetNow());
}

TEST(SecondAct, CamerasFlyInHoldAndFlyBackToTheirStart) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(9));
    // The frame that begins the hold still placed the rigs on their way in.
    harness.Frame();
    const auto& cameras = harness.Scene().GetCameras();
    EXPECT_EQ(Position(Nth(cameras, 0)), Vec3(-200, 10, 410));
    EXPECT_EQ(Position(Nth(cameras, 1)), Vec3(-300, 10, 410));
    const auto& effects = harness.Scene().GetEffects();
    EXPECT_EQ(Position(Nth(effects, 1)).z, 202.0f);
    EXPECT_EQ(Position(Nth(effects, 3)).x, -10.0f);
    ASSERT_TRUE(harness.RunToPhase(10));
    // Flying back, the rigs run their paths backwards.
    EXPECT_GT(Position(Nth(cameras, 0)).z, 409.0f);
    while (harness.Scene().GetPhase() == 10) {
        harness.Frame();
    }
    // The frame that ends the phase has s held at 0: the paths' start points.
    EXPECT_EQ(Position(Nth(cameras, 0)), Vec3(-200, -100, 810));
    EXPECT_EQ(Position(Nth(cameras, 1)), Vec3(-300, -100, 810));
}

// Each particle of the 8 x 8 grid draws the sprite it was made with, except where the pick
// itself merges cells: the eight particles of either pole share its first sprite, and the last
// sector of a ring, a full turn past the first, wraps to it. That leaves 6 x 7 + 2 sprites.
TEST(SecondAct, ExplosionParticlesDrawTheSpritesTheyWereMadeWith) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(11));
    harness.Frame();
    const auto& explosion =
        dynamic_cast<const ObjectParticuleManager&>(Nth(harness.Scene().GetParticleManagers(), 1));
    std::vector<int32_t> expected;
    std::vector<int32_t> picked;
    for (int32_t w = 0; w < 64; ++w) {
        const int32_t ring = w / 8;
        const int32_t sector = w % 8;
        expected.push_back(ring == 0 ? 0 : ring == 7 ? 56 : sector == 7 ? 8 * ring : w);
        picked.push_back(sprite_pick::Explosion(explosion.GetParticle(w).Velocity, 8, 64));
    }
    EXPECT_EQ(picked, expected);
    int own = 0;
    for (int32_t w = 0; w < 64; ++w) {
        own += picked[w] == w;
    }
    EXPECT_EQ(own, 44);
    // The frame draws the picked sprites in particle order.
    std::vector<int32_t> drawn;
    for (const auto& draw : harness.Device.Draws) {
        for (int32_t n = 0; n < 64; ++n) {
            if (draw.Texture == explosion.GetSprite(n).GetTexture()) {
                drawn.push_back(n);
            }
        }
    }
    EXPECT_EQ(drawn, picked);
    EXPECT_EQ(std::set<int32_t>(drawn.begin(), drawn.end()).size(), 44u);
}

TEST(SecondAct, PlumeStopsEmittingAfterThreeSeconds) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(12));
    const auto& plume =
        dynamic_cast<const ObjectParticuleManager&>(Nth(harness.Scene().GetParticleManagers(), 2));
    FrameAtPhaseTime(harness, 3000);
    EXPECT_FALSE(plume.IsEmissionStopped());
    harness.Frame();
    EXPECT_TRUE(plume.IsEmissionStopped());
    // It drifts left at 200 units a second and down at 5.
    EXPECT_EQ(Position(plume), Vec3(200.0f - 3040 / 5.0f, -20.0f - 3040 / 200.0f, 800.0f));
}

TEST(SecondAct, CrescentsChaseHalfALapApart) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(13));
    FrameAtPhaseTime(harness, 1200);
    const BezierPath& loop = harness.Scene().GetLoopPaths().front();
    const auto& effects = harness.Scene().GetEffects();
    EXPECT_EQ(Position(Nth(effects, 4)), loop.GetPoint(1200 / 5000.0f));
    EXPECT_EQ(Position(Nth(effects, 5)), loop.GetPoint(3700 / 5000.0f));
    ASSERT_TRUE(harness.RunToPhase(14));
    FrameAtPhaseTime(harness, 1500);
    const BezierPath& line = harness.Scene().GetLoopPaths().back();
    EXPECT_EQ(Position(Nth(effects, 4)), line.GetPoint(1500 / 2000.0f));
    EXPECT_EQ(Position(Nth(effects, 5)), line.GetPoint(500 / 2000.0f));
}

TEST(SecondAct, ColourQuadSweepsToRedMagentaAndWhite) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(15));
    const auto& quad =
        *static_cast<const RecordingVertexBuffer*>(harness.Scene().GetQuadVertexBuffer());
    const auto colours = [&quad] { return std::pair(quad.At(0).Diffuse, quad.At(2).Diffuse); };
    EXPECT_EQ(colours(), std::pair(0x00FF0000u, 0x00FF0000u));
    const std::pair<uint32_t, std::pair<uint32_t, uint32_t>> expected[] = {
        {750, {0x00FF0000u, 0x7FFF0000u}},  {1500, {0x00FF0000u, 0xFFFF0000u}},
        {3000, {0xFFFF0000u, 0xFFFF0000u}}, {4500, {0xFFFF0000u, 0xFFFF00FFu}},
        {6000, {0xFFFF00FFu, 0xFFFF00FFu}}, {7500, {0xFFFF00FFu, 0xFFFFFFFFu}},
        {8999, {0xFFFFFEFFu, 0xFFFFFFFFu}}, {9100, {0xFFFFFEFFu, 0xFFFFFFFFu}},
    };
    for (const auto& [e, leftRight] : expected) {
        FrameAtPhaseTime(harness, e);
        EXPECT_EQ(colours(), leftRight) << "at " << e;
    }
    const auto& draw = harness.Device.Draws.back();
    EXPECT_EQ(draw.PrimitiveCount, 2u);
    EXPECT_EQ(draw.Material.Ambient.r, 1.0f);
    EXPECT_EQ(draw.Material.Diffuse.r, 0.0f);
    EXPECT_EQ(draw.World, Matrix4::Identity());
    EXPECT_EQ(draw.Texture, nullptr);
}

TEST(SecondAct, SeventhEffectIsNeverPlaced) {
    SceneHarness harness;
    while (!Failed(harness.Frame())) {
    }
    const auto& splatter = dynamic_cast<const ObjectEffect&>(Nth(harness.Scene().GetEffects(), 6));
    EXPECT_FALSE(splatter.IsActive());
    EXPECT_EQ(splatter.GetLastRenderTime(), 0u);
}

}  // namespace
