#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "geometry/matrix_math.h"
#include "objects/bubble/object_bubble.h"
#include "objects/concave_box/object_concav_box.h"
#include "platform/crt_random.h"
#include "tests/scene/scene_harness.h"

namespace {

using testing_support::SceneHarness;

const ObjectConcavBox& Box(SceneHarness& harness) {
    return *dynamic_cast<const ObjectConcavBox*>(harness.Scene().GetBoxes().front());
}

const Object3D& Nth(const CTalvoScene0001::ObjectList& list, size_t n) {
    return **std::next(list.begin(), static_cast<long>(n));
}

void ExpectMatrixNear(const Matrix4& actual, const Matrix4& expected, float tolerance = 1e-6f) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_NEAR(actual(row, column), expected(row, column), tolerance)
                << row << "," << column;
        }
    }
}

TEST(FirstAct, BoxLightFollowsTheFirstPhases) {
    SceneHarness harness;
    harness.Frame();
    EXPECT_FALSE(Box(harness).IsLightEnabled());
    const bool expected[] = {false, true, false, true, false};
    for (int32_t phase = 1; phase <= 4; ++phase) {
        ASSERT_TRUE(harness.RunToPhase(phase));
        EXPECT_EQ(Box(harness).IsLightEnabled(), expected[phase]) << "phase " << phase;
    }
    // The device light follows on the next frame's update.
    harness.Frame();
    EXPECT_FALSE(harness.Device.IsLightEnabled(Box(harness).GetLightIndex()));
}

TEST(FirstAct, BoxStandsStillThenTumblesAndFalls) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(4));
    EXPECT_EQ(*Box(harness).GetRotation(), Matrix4::Identity());
    EXPECT_EQ((*Box(harness).GetTranslation())(3, 0), -200.0f);
    EXPECT_EQ((*Box(harness).GetTranslation())(3, 2), 800.0f);
    ASSERT_TRUE(harness.RunToPhase(5));
    // The frame that begins phase 5 drew the box still; the next one tumbles it once.
    EXPECT_EQ(*Box(harness).GetRotation(), Matrix4::Identity());
    harness.Frame();
    const float angle = 0.19634955f;
    const Matrix4 first = *Box(harness).GetRotation();
    const bool oneTurn = first == MatrixRotationX(angle) || first == MatrixRotationY(angle) ||
                         first == MatrixRotationZ(angle);
    EXPECT_TRUE(oneTurn);
    for (int frame = 0; frame < 20; ++frame) {
        harness.Frame();
    }
    // Accumulated turns stay a rotation and the box has fallen below its place.
    const Matrix4 r = *Box(harness).GetRotation();
    EXPECT_NE(r, first);
    for (int row = 0; row < 3; ++row) {
        EXPECT_NEAR(r(row, 0) * r(row, 0) + r(row, 1) * r(row, 1) + r(row, 2) * r(row, 2), 1.0f,
                    1e-4f);
    }
    EXPECT_LT((*Box(harness).GetTranslation())(3, 1), -100.0f);
}

TEST(FirstAct, MessageDuringTumbleMakesTheNextTurnAboutZ) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(5));
    // Wait until no splash is refilling, so the box draws first from the generator.
    while (harness.PhaseTime() < 4000) {
        harness.Frame();
    }
    const Matrix4 before = *Box(harness).GetRotation();
    crt::srand(0);  // what the window procedure does for every message
    harness.Frame();
    ExpectMatrixNear(*Box(harness).GetRotation(),
                     MatrixMultiply(before, MatrixRotationZ(0.19634955f)));
}

TEST(FirstAct, GearPairsMeshFiftyPointTwoApart) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(1));
    harness.Frame();
    const auto& gears = harness.Scene().GetGears();
    for (int frame = 0; frame < 100; ++frame) {
        for (size_t pair = 0; pair < 2; ++pair) {
            const Matrix4& leader = *Nth(gears, 2 * pair).GetTranslation();
            const Matrix4& follower = *Nth(gears, 2 * pair + 1).GetTranslation();
            EXPECT_NEAR(leader(3, 0) - follower(3, 0), 50.2f, 1e-3f);
            EXPECT_EQ(leader(3, 1), follower(3, 1));
            EXPECT_EQ(leader(3, 2), follower(3, 2));
        }
        harness.Frame();
        if (harness.Scene().GetPhase() != 1) {
            break;
        }
    }
}

TEST(FirstAct, GearAnglesAtTheTurnOrigin) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(1));
    while (harness.Scene().GetNow() % 5000 != 0) {
        harness.Frame();
        ASSERT_EQ(harness.Scene().GetPhase(), 1);
    }
    const auto& gears = harness.Scene().GetGears();
    // The leader is offset by pi/16 - g; the follower starts unturned.
    ExpectMatrixNear(*Nth(gears, 0).GetRotation(), MatrixRotationZ(0.0493239f), 1e-6f);
    ExpectMatrixNear(*Nth(gears, 1).GetRotation(), Matrix4::Identity());
    ExpectMatrixNear(*Nth(gears, 2).GetRotation(), MatrixRotationZ(0.0493239f), 1e-6f);
}

TEST(FirstAct, BubblesBurstOnTheFirstFramePastTheirPaths) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(3));
    const uint32_t durations[] = {1000, 1200, 2100, 5000, 3000};
    const auto& bubbles = harness.Scene().GetBubbles();
    while (harness.Scene().GetPhase() <= 5) {
        const uint32_t e = harness.PhaseTime();
        for (size_t k = 0; k < 5; ++k) {
            const auto& bubble = dynamic_cast<const ObjectBubble&>(Nth(bubbles, k));
            EXPECT_EQ(bubble.HasBurstStarted(), e > durations[k]) << "bubble " << k << " at " << e;
        }
        if (Failed(harness.Frame()) || harness.Scene().GetPhase() == 6) {
            break;
        }
    }
}

TEST(FirstAct, GearsDrawOnlyInPhaseOneWithTheDarkMaterial) {
    SceneHarness harness;
    ASSERT_TRUE(harness.RunToPhase(1));
    harness.Frame();
    // Backdrop, four wheels of four strips, and the box's four strips and glow.
    int gearDraws = 0;
    for (const auto& draw : harness.Device.Draws) {
        if (draw.PrimitiveCount == 4096) {
            ++gearDraws;
            EXPECT_EQ(draw.Material.Diffuse.r, 0.0f);
            EXPECT_EQ(draw.Material.Diffuse.a, 1.0f);
            EXPECT_EQ(draw.Material.Specular.a, 0.0f);
        }
    }
    EXPECT_EQ(gearDraws, 16);
    ASSERT_TRUE(harness.RunToPhase(2));
    harness.Frame();
    for (const auto& draw : harness.Device.Draws) {
        EXPECT_NE(draw.PrimitiveCount, 4096u);
    }
}

}  // namespace
