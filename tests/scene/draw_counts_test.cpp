#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "objects/bubble/object_bubble.h"
#include "objects/camera/object_camera.h"
#include "objects/concave_box/object_concav_box.h"
#include "objects/projector/object_projector.h"
#include "tests/scene/scene_harness.h"

namespace {

using testing_support::SceneHarness;

// Draw calls and triangles of one frame, by triangle count per draw.
std::map<uint32_t, int> DrawsBySize(const testing_support::RecordingDevice& device) {
    std::map<uint32_t, int> sizes;
    for (const auto& draw : device.Draws) {
        ++sizes[draw.PrimitiveCount];
    }
    return sizes;
}

// The frame in the middle of a phase, away from any transition.
void RunIntoPhase(SceneHarness& harness, int32_t phase, int frames = 5) {
    ASSERT_TRUE(harness.RunToPhase(phase));
    for (int i = 0; i < frames; ++i) {
        harness.Frame();
    }
}

TEST(DrawCounts, LightIndicesFollowCreationOrder) {
    SceneHarness harness;
    const auto& scene = harness.Scene();
    EXPECT_EQ(dynamic_cast<const ObjectConcavBox*>(scene.GetBoxes().front())->GetLightIndex(), 1u);
    uint32_t expected = 2;
    for (const Object3D* bubble : scene.GetBubbles()) {
        EXPECT_EQ(dynamic_cast<const ObjectBubble*>(bubble)->GetLightIndex(), expected++);
    }
    for (const Object3D* camera : scene.GetCameras()) {
        EXPECT_EQ(dynamic_cast<const ObjectCamera*>(camera)->GetLightIndex(), expected++);
    }
    for (const Object3D* projector : scene.GetProjectors()) {
        EXPECT_EQ(dynamic_cast<const ObjectProjector*>(projector)->GetLightIndex(), expected++);
    }
    EXPECT_EQ(expected, 12u);
    EXPECT_EQ(NextLightIndex, 12);
}

TEST(DrawCounts, FirstActFrames) {
    SceneHarness harness;
    harness.Frame();
    // Backdrop; the box's front, hollow, walls and back.
    EXPECT_EQ(DrawsBySize(harness.Device),
              (std::map<uint32_t, int>{{398, 1}, {512, 1}, {32766, 1}, {8, 1}, {2, 1}}));
    // The cameras' and projectors' lights shine from the start; the box's is off.
    EXPECT_EQ(harness.Device.Draws.front().EnabledLights,
              (std::vector<uint32_t>{0, 7, 8, 9, 10, 11}));

    RunIntoPhase(harness, 1);
    // Four wheels of four 4096-triangle strips; the box with its glow.
    EXPECT_EQ(
        DrawsBySize(harness.Device),
        (std::map<uint32_t, int>{{398, 1}, {4096, 16}, {512, 1}, {32766, 1}, {8, 1}, {2, 2}}));
    EXPECT_EQ(harness.Device.Draws.back().EnabledLights,
              (std::vector<uint32_t>{0, 1, 7, 8, 9, 10, 11}));
    EXPECT_EQ(harness.Device.TrianglesDrawn(), 398u + 16 * 4096 + 512 + 32766 + 8 + 2 + 2);

    RunIntoPhase(harness, 3, 2);
    // Two shells of 16376 triangles per bubble before any burst.
    EXPECT_EQ(DrawsBySize(harness.Device)[16376], 10);
    RunIntoPhase(harness, 5, 10);
    // Four bubbles have burst by now and their lights shine; their shells are gone.
    EXPECT_EQ(DrawsBySize(harness.Device)[16376], 2);
    EXPECT_EQ(harness.Device.Draws.back().EnabledLights,
              (std::vector<uint32_t>{0, 2, 3, 4, 6, 7, 8, 9, 10, 11}));
}

TEST(DrawCounts, SecondActFrames) {
    SceneHarness harness;
    RunIntoPhase(harness, 6);
    // Three projectors: six can strips, four flaps and four beam quarters each; the ripples.
    EXPECT_EQ(DrawsBySize(harness.Device),
              (std::map<uint32_t, int>{{398, 1}, {512, 18}, {4, 24}, {2, 1}}));
    RunIntoPhase(harness, 7);
    EXPECT_EQ(DrawsBySize(harness.Device), (std::map<uint32_t, int>{{398, 1}, {2, 8}}));
    RunIntoPhase(harness, 9);
    // Two rigs (body 2 + 8 + 2, lens 4 x 512, dome 32766, glow 2) and three discs.
    EXPECT_EQ(DrawsBySize(harness.Device),
              (std::map<uint32_t, int>{{398, 1}, {2, 9}, {8, 2}, {512, 8}, {32766, 2}}));
    RunIntoPhase(harness, 11);
    EXPECT_EQ(DrawsBySize(harness.Device), (std::map<uint32_t, int>{{398, 1}, {2, 64}}));
    RunIntoPhase(harness, 12);
    EXPECT_EQ(DrawsBySize(harness.Device), (std::map<uint32_t, int>{{398, 1}, {2, 400}}));
    RunIntoPhase(harness, 13);
    EXPECT_EQ(DrawsBySize(harness.Device), (std::map<uint32_t, int>{{398, 1}, {2, 2}}));
    RunIntoPhase(harness, 15);
    EXPECT_EQ(DrawsBySize(harness.Device), (std::map<uint32_t, int>{{398, 1}, {2, 1}}));
}

}  // namespace
