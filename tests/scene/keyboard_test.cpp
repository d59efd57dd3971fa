#include <gtest/gtest.h>

#include <iterator>

#include "objects/bubble/object_bubble.h"
#include "objects/effect/object_effect.h"
#include "tests/scene/scene_harness.h"

namespace {

using testing_support::SceneHarness;

// What the window procedure does on a new 'L' press.
void PressL(CTalvoScene0001& scene) { scene.SetLightsOn(!scene.AreLightsOn()); }

TEST(LKey, FirstPressLightsTheBoxAndTheTimelineThenWins) {
    SceneHarness harness;
    harness.Frame();
    EXPECT_FALSE(harness.Scene().AreLightsOn());
    PressL(harness.Scene());
    EXPECT_TRUE(harness.Scene().AreLightsOn());
    // The light itself follows at the next frame's update.
    harness.Frame();
    EXPECT_TRUE(harness.Device.IsLightEnabled(1));
    ASSERT_TRUE(harness.RunToPhase(1));
    EXPECT_TRUE(harness.Scene().AreLightsOn());
    ASSERT_TRUE(harness.RunToPhase(2));
    EXPECT_FALSE(harness.Scene().AreLightsOn());
    // A second press switches it back on; the bubbles and effects were already started.
    PressL(harness.Scene());
    EXPECT_TRUE(harness.Scene().AreLightsOn());
    PressL(harness.Scene());
    EXPECT_FALSE(harness.Scene().AreLightsOn());
}

TEST(LKey, EarlyPressBurstsTheBubblesBeforeTheyAreDrawn) {
    SceneHarness harness;
    harness.Frame();
    PressL(harness.Scene());
    const uint32_t pressedAt = harness.Scene().GetNow();
    for (const Object3D* object : harness.Scene().GetBubbles()) {
        EXPECT_TRUE(dynamic_cast<const ObjectBubble*>(object)->HasBurstStarted());
    }
    ASSERT_TRUE(harness.RunToPhase(3));
    harness.Frame();
    // Long past their splash, the bubbles draw nothing at all: no shells.
    for (const auto& draw : harness.Device.Draws) {
        EXPECT_NE(draw.PrimitiveCount, 16376u);
    }
    EXPECT_GT(harness.Scene().GetNow() - pressedAt, 100u);
}

TEST(LKey, PressStartsEveryEffectAtTheLastFrameTime) {
    SceneHarness harness;
    harness.Frame();
    harness.Frame();
    const uint32_t now = harness.Scene().GetNow();
    harness.Clock.Advance(25);  // the key arrives between frames
    PressL(harness.Scene());
    ASSERT_EQ(harness.Scene().GetEffects().size(), 7u);
    for (const Object3D* object : harness.Scene().GetEffects()) {
        const auto* effect = dynamic_cast<const ObjectEffect*>(object);
        EXPECT_TRUE(effect->IsActive());
        EXPECT_EQ(effect->GetStartTime(), now);
    }
    // Later presses change no start time.
    harness.Frame();
    PressL(harness.Scene());
    const auto* last = dynamic_cast<const ObjectEffect*>(harness.Scene().GetEffects().back());
    EXPECT_EQ(last->GetStartTime(), now);
}

}  // namespace
