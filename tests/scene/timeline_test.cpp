#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/scene/scene_harness.h"

namespace {

using testing_support::SceneHarness;

struct Transition {
    int32_t Phase;       // the phase that ends
    uint32_t Frame;      // frames after the first one
    uint32_t PhaseTime;  // the phase clock when it ended
};

// Plays the whole show with frames 40 ms apart and notes every phase change.
std::vector<Transition> PlayShow(uint32_t startTime, uint32_t* frames) {
    SceneHarness harness(startTime);
    std::vector<Transition> transitions;
    uint32_t frame = 0;
    HRESULT result = S_OK;
    while (result == S_OK && frame < 4000) {
        const int32_t before = harness.Scene().GetPhase();
        const uint32_t phaseTime = harness.Scene().GetNow() + 40 - harness.Scene().GetPhaseStart();
        result = harness.Frame();
        if (harness.Scene().GetPhase() != before) {
            transitions.push_back({before, frame, phaseTime});
        }
        ++frame;
    }
    EXPECT_EQ(result, E_FAIL);
    EXPECT_TRUE(harness.Scene().ShowFinished());
    *frames = frame;
    return transitions;
}

// The first frame time on a 40 ms grid that meets each condition, counted from the start of the
// clock the phase reads (phases 3 to 5 and 8 to 10 share one).
TEST(Timeline, EveryPhaseEndsOnTheFirstFrameMeetingItsCondition) {
    uint32_t frames = 0;
    const std::vector<Transition> transitions = PlayShow(100000, &frames);
    ASSERT_EQ(transitions.size(), 16u);
    const uint32_t expectedClock[16] = {18040, 5040,  1040,  1040,  3440, 5120,  13000, 20040,
                                        1040,  11040, 12040, 10040, 6040, 15040, 4040,  10040};
    for (int32_t phase = 0; phase < 16; ++phase) {
        EXPECT_EQ(transitions[phase].Phase, phase);
        EXPECT_EQ(transitions[phase].PhaseTime, expectedClock[phase]) << "phase " << phase;
    }
    // About 119.1 s plus up to a frame per transition.
    const uint32_t showLength = (frames - 1) * 40;
    EXPECT_GT(showLength, 119100u);
    EXPECT_LT(showLength, 119100u + 16 * 40);
}

TEST(Timeline, ShowIsTheSameWhenTheClockWraps) {
    uint32_t framesEarly = 0;
    uint32_t framesWrapping = 0;
    const auto early = PlayShow(100000, &framesEarly);
    const auto wrapping = PlayShow(0xFFFFFFFFu - 60000, &framesWrapping);
    ASSERT_EQ(early.size(), wrapping.size());
    EXPECT_EQ(framesEarly, framesWrapping);
    for (size_t i = 0; i < early.size(); ++i) {
        EXPECT_EQ(early[i].Frame, wrapping[i].Frame) << i;
    }
}

TEST(Timeline, BackdropTravelsBothPathsContinuouslyThenStays) {
    SceneHarness harness;
    Vec3 previous;
    bool first = true;
    float largestStep = 0.0f;
    for (int frame = 0; frame < 600; ++frame) {
        harness.Frame();
        const Vec3 p = harness.Scene().GetBackdropPosition();
        if (!first) {
            const Vec3 step = p - previous;
            largestStep = std::max(largestStep, std::sqrt(Dot(step, step)));
        }
        previous = p;
        first = false;
    }
    EXPECT_EQ(harness.Scene().GetBackdropSegment(), 3);
    // A frame never moves it further than the path's fastest stretch allows (no jump at the
    // switch from the first path to the second).
    EXPECT_LT(largestStep, 40.0f);
    EXPECT_NEAR(previous.x, -100.0f, 1.0f);
    EXPECT_NEAR(previous.y, 0.0f, 0.1f);
    EXPECT_NEAR(previous.z, 110.0f, 1.0f);
}

TEST(Timeline, BackdropIsDrawnTexturedEveryFrame) {
    SceneHarness harness;
    harness.Frame();
    const auto& draws = harness.Device.Draws;
    ASSERT_FALSE(draws.empty());
    const auto& backdrop = draws.front();
    EXPECT_EQ(backdrop.PrimitiveCount, 398u);
    EXPECT_EQ(backdrop.Texture, harness.Scene().GetBackdropTexture());
    EXPECT_EQ(backdrop.ColorOp, gfx::TextureOpModulate);
    EXPECT_EQ(backdrop.ColorArg1, gfx::TextureArgTexture);
    EXPECT_EQ(backdrop.ColorArg2, gfx::TextureArgDiffuse);
    EXPECT_EQ(backdrop.Stride, 36u);
}

}  // namespace
