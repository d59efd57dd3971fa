#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/objects/camera/camera_fixture.h"
#include "tests/support/failing_call.h"

namespace camera_test {
namespace {

using testing_support::Operation;
using testing_support::RecordedCall;

using testing_support::FailingCall;

class CameraCreateFailure : public CameraTest, public testing::WithParamInterface<FailingCall> {
protected:
    // Every draw reads a buffer that exists and holds written vertices, and no texture slot is
    // ever set to a missing texture before a draw.
    void ExpectOnlyWrittenResourcesUsed() const {
        for (const auto& draw : device.Draws) {
            ASSERT_NE(draw.Buffer, nullptr);
            EXPECT_GT(draw.Buffer->UnlockCount, 0);
        }
        bool drawAfterNullTexture = false;
        bool nullTextureSet = false;
        for (const RecordedCall& call : device.Calls) {
            if (call.Name == "SetTexture") {
                nullTextureSet = call.Object == nullptr;
            } else if (call.Name == "DrawPrimitive" && nullTextureSet) {
                drawAfterNullTexture = true;
            }
        }
        EXPECT_FALSE(drawAfterNullTexture);
    }
};

TEST_P(CameraCreateFailure, FailsWithoutTakingALightAndStaysSafeToUse) {
    device.FailCall(GetParam().Which, GetParam().Number);
    auto camera = SceneCamera();
    EXPECT_EQ(camera->Create(), E_FAIL);
    EXPECT_EQ(NextLightIndex, 1);
    EXPECT_EQ(camera->GetLightIndex(), 0u);

    device.ClearRecords();
    camera->Update();
    EXPECT_EQ(device.CountCalls("SetLight"), 0);
    EXPECT_EQ(device.CountCalls("LightEnable"), 0);
    for (uint32_t time : {0u, 40u, 1000u, 1100u}) {
        camera->Render(time);
        camera->Update();
    }
    ExpectOnlyWrittenResourcesUsed();

    camera.reset();
    for (const auto* buffer : device.VertexBuffers()) {
        EXPECT_EQ(buffer->ReleaseCount, 1);
    }
    for (const auto* texture : device.Textures()) {
        EXPECT_EQ(texture->ReleaseCount, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(EachDeviceCall, CameraCreateFailure,
                         testing::ValuesIn(testing_support::EveryCallOfCreate(9)),
                         testing_support::FailingCallName);

using CameraWithoutResources = CameraTest;

TEST_F(CameraWithoutResources, RenderBeforeCreateDrawsNothingAndReportsTheMissingGlow) {
    auto camera = SceneCamera();
    camera->Update();
    EXPECT_EQ(camera->Render(1500), E_FAIL);
    EXPECT_TRUE(device.Draws.empty());
    EXPECT_EQ(device.CountCalls("SetLight"), 0);
    // The blink runs on all the same: a new cycle starts at 1500.
    EXPECT_EQ(camera->GetLastRenderTime(), 1500u);
    EXPECT_EQ(camera->GetBlinkLevel(), 0.5f);
}

}  // namespace
}  // namespace camera_test
