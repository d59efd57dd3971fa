#include <gtest/gtest.h>

#include <algorithm>

#include "tests/scene/scene_harness.h"

namespace {

using testing_support::Operation;
using testing_support::SceneHarness;

TEST(FrameCycle, DrawsAtMostEveryFortyMilliseconds) {
    SceneHarness harness;
    ASSERT_EQ(harness.Frame(), S_OK);
    EXPECT_TRUE(harness.Scene().DrewFrame());
    const uint32_t drawnAt = harness.Scene().GetLastFrameTime();
    EXPECT_EQ(harness.Frame(39), S_OK);
    EXPECT_FALSE(harness.Scene().DrewFrame());
    EXPECT_EQ(harness.Device.FramesPresented, 1);
    EXPECT_EQ(harness.Scene().GetLastFrameTime(), drawnAt);
    EXPECT_EQ(harness.Frame(1), S_OK);
    EXPECT_TRUE(harness.Scene().DrewFrame());
    EXPECT_EQ(harness.Device.FramesPresented, 2);
}

TEST(FrameCycle, FrameIsClearedBegunAndPresentedInOrder) {
    SceneHarness harness;
    harness.Frame();
    const auto names = harness.Device.CallNames();
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names.front(), "Clear");
    EXPECT_EQ(names[1], "BeginScene");
    EXPECT_EQ(names[names.size() - 2], "EndScene");
    EXPECT_EQ(names.back(), "Present");
    const auto& clear = harness.Device.Calls.front();
    EXPECT_EQ(clear.Arguments[0], gfx::ClearTarget | gfx::ClearZBuffer);
    EXPECT_EQ(clear.Arguments[1], 0xFF000000u);
}

TEST(FrameCycle, FirstCallStartsMusicOnceEvenWithoutDrawing) {
    // Seeded below 10 s, the first call comes too soon after the seed to draw.
    SceneHarness harness(5000);
    EXPECT_EQ(harness.Frame(10), S_OK);
    EXPECT_FALSE(harness.Scene().DrewFrame());
    EXPECT_EQ(harness.Audio.Voice.StartCount, 1);
    EXPECT_EQ(harness.Scene().GetPhaseStart(), 5010u);
    harness.Frame();
    harness.Frame();
    EXPECT_EQ(harness.Audio.Voice.StartCount, 1);
}

TEST(FrameCycle, FailedMusicStartEndsTheLoopAndIsNeverRetried) {
    SceneHarness harness;
    harness.Audio.Voice.StartResult = E_FAIL;
    EXPECT_EQ(harness.Frame(), E_FAIL);
    EXPECT_EQ(harness.Device.FramesPresented, 0);
    EXPECT_TRUE(harness.Scene().IsMusicStarted());
    harness.Frame();
    EXPECT_EQ(harness.Audio.Voice.StartCount, 1);
}

TEST(FrameCycle, FailedBeginSceneShowsOneBoxAndEnds) {
    SceneHarness harness;
    harness.Device.FailCall(Operation::BeginScene);
    EXPECT_EQ(harness.Frame(), E_FAIL);
    ASSERT_EQ(harness.Boxes.Boxes.size(), 1u);
    EXPECT_EQ(harness.Boxes.Boxes[0].Text, "Begining Scene Error - Program Exiting");
    EXPECT_EQ(harness.Boxes.Boxes[0].Caption, "Rendering Error");
    EXPECT_EQ(harness.Device.CountCalls("EndScene"), 0);
    EXPECT_EQ(harness.Device.CountCalls("Present"), 0);
    EXPECT_FALSE(harness.Scene().ShowFinished());
}

TEST(FrameCycle, ElapsedTimeSurvivesTheClockWrap) {
    SceneHarness harness(0xFFFFFFFFu - 100);
    harness.Frame();
    harness.Frame();
    ASSERT_TRUE(harness.Scene().DrewFrame());
    // This frame straddles the wrap: 40 ms later by the unsigned difference.
    EXPECT_EQ(harness.Frame(), S_OK);
    EXPECT_TRUE(harness.Scene().DrewFrame());
    EXPECT_LT(harness.Scene().GetNow(), 100u);
    EXPECT_EQ(harness.PhaseTime(), 80u);
}

TEST(FrameCycle, EveryObjectIsUpdatedBeforeTheViewIsSet) {
    SceneHarness harness;
    harness.Frame();
    const auto names = harness.Device.CallNames();
    // The scene's light first, then object lights, then view and projection.
    const auto firstView = std::find_if(
        harness.Device.Calls.begin(), harness.Device.Calls.end(),
        [](const testing_support::RecordedCall& call) {
            return call.Name == "SetTransform" &&
                   call.Arguments[0] == static_cast<uint32_t>(gfx::TransformState::View);
        });
    ASSERT_NE(firstView, harness.Device.Calls.end());
    int lightsBeforeView = 0;
    for (auto call = harness.Device.Calls.begin(); call != firstView; ++call) {
        lightsBeforeView += call->Name == "SetLight";
    }
    // The scene's light, the box, five bubbles, two cameras and three projectors.
    EXPECT_EQ(lightsBeforeView, 12);
    EXPECT_EQ(harness.Device.Calls[2].Name, "SetLight");
    EXPECT_EQ(harness.Device.Calls[2].Arguments[0], 0u);
}

TEST(FrameCycle, SceneLightIsWhiteDirectionalFallingForwardAndDown) {
    SceneHarness harness;
    harness.Frame();
    const gfx::Light& light = harness.Device.Lights().at(0);
    EXPECT_EQ(light.Type, gfx::LightType::Directional);
    EXPECT_EQ(light.Diffuse.r, 1.0f);
    EXPECT_EQ(light.Diffuse.a, 0.0f);
    EXPECT_FLOAT_EQ(light.Direction.y, -0.70710677f);
    EXPECT_FLOAT_EQ(light.Direction.z, 0.70710677f);
    EXPECT_EQ(light.Range, 1000.0f);
    EXPECT_TRUE(harness.Device.IsLightEnabled(0));
    EXPECT_EQ(harness.Device.RenderStateValue(gfx::RenderState::Ambient), 0xFF202020u);
    EXPECT_EQ(harness.Device.RenderStateValue(gfx::RenderState::Lighting), 1u);
}

}  // namespace
