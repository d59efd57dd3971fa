#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/objects/projector/projector_fixture.h"
#include "tests/support/failing_call.h"

namespace projector_test {
namespace {

using testing_support::Operation;
using testing_support::RecordedCall;

using testing_support::FailingCall;

class ProjectorCreateFailure : public ProjectorTest,
                               public testing::WithParamInterface<FailingCall> {
protected:
    // Every draw reads a buffer that exists and holds written vertices, and no texture slot is
    // ever set to a missing texture before a draw.
    void ExpectOnlyWrittenResourcesUsed() const {
        for (const auto& draw : device.Draws) {
            ASSERT_NE(draw.Buffer, nullptr);
            EXPECT_GT(draw.Buffer->UnlockCount, 0);
        }
        bool nullTextureSet = false;
        for (const RecordedCall& call : device.Calls) {
            if (call.Name == "SetTexture") {
                nullTextureSet = call.Object == nullptr;
            } else if (call.Name == "DrawPrimitive") {
                EXPECT_FALSE(nullTextureSet) << "drawn after binding a missing texture";
            }
        }
    }
};

TEST_P(ProjectorCreateFailure, FailsWithoutTakingALightAndStaysSafeToUse) {
    device.FailCall(GetParam().Which, GetParam().Number);
    auto projector = SceneProjector();
    EXPECT_EQ(projector->Create(), E_FAIL);
    EXPECT_EQ(NextLightIndex, 1);
    EXPECT_EQ(projector->GetLightIndex(), 0u);

    device.ClearRecords();
    for (uint32_t time : {0u, 40u, 80u}) {
        projector->Update();
        EXPECT_EQ(projector->Render(time), 0);
    }
    EXPECT_EQ(device.CountCalls("SetLight"), 0);
    EXPECT_EQ(device.CountCalls("LightEnable"), 0);
    ExpectOnlyWrittenResourcesUsed();

    projector.reset();
    for (const auto* buffer : device.VertexBuffers()) {
        EXPECT_EQ(buffer->ReleaseCount, 1);
    }
    for (const auto* texture : device.Textures()) {
        EXPECT_EQ(texture->ReleaseCount, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(EachDeviceCall, ProjectorCreateFailure,
                         testing::ValuesIn(testing_support::EveryCallOfCreate(11)),
                         testing_support::FailingCallName);

using ProjectorLimits = ProjectorTest;

TEST_F(ProjectorLimits, SegmentCountTooLargeForBufferLengthsFailsBeforeAnyDeviceCall) {
    auto projector = SceneProjector(60000000);  // (2n + 2) x 36 bytes do not fit 32 bits
    EXPECT_EQ(projector->Create(), E_FAIL);
    EXPECT_TRUE(device.Calls.empty());
    EXPECT_EQ(NextLightIndex, 1);
}

TEST_F(ProjectorLimits, UpdateAndRenderBeforeCreateTouchNoLightAndDrawNothing) {
    auto projector = SceneProjector();
    projector->Update();
    EXPECT_EQ(projector->Render(0), 0);
    EXPECT_EQ(device.CountCalls("SetLight"), 0);
    EXPECT_TRUE(device.Draws.empty());
}

}  // namespace
}  // namespace projector_test
