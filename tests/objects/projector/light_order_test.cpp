#include <gtest/gtest.h>

#include <memory>

#include "objects/camera/object_camera.h"
#include "objects/projector/object_projector.h"
#include "platform/process_globals.h"
#include "tests/support/recording_device.h"

namespace {

class LightOrder : public ::testing::Test {
protected:
    void SetUp() override { GraphicsDevice = &device; }
    void TearDown() override { GraphicsDevice = nullptr; }

    // The second act's two cameras and three projectors, created in the scene's order.
    void CreateSecondActRigs() {
        for (uint32_t lamp : {0xFFFF0000u, 0xFF008000u}) {
            cameras.push_back(std::make_unique<ObjectCamera>(256, 1.0f, 10.0f, 40.0f, 5.0f,
                                                             0xFF202020, lamp, 1000));
            ASSERT_EQ(cameras.back()->Create(), S_OK);
        }
        for (int p = 0; p < 3; ++p) {
            projectors.push_back(std::make_unique<ObjectProjector>(256, 15.0f, 10.0f, 25.0f,
                                                                   0xFF808080, 0xFFFFFF80, 0.5f));
            ASSERT_EQ(projectors.back()->Create(), S_OK);
        }
    }

    testing_support::RecordingDevice device;
    std::vector<std::unique_ptr<ObjectCamera>> cameras;
    std::vector<std::unique_ptr<ObjectProjector>> projectors;
};

TEST_F(LightOrder, IndicesFollowTheOrderOfCreation) {
    NextLightIndex = 1;
    CreateSecondActRigs();
    EXPECT_EQ(cameras[0]->GetLightIndex(), 1u);
    EXPECT_EQ(cameras[1]->GetLightIndex(), 2u);
    EXPECT_EQ(projectors[0]->GetLightIndex(), 3u);
    EXPECT_EQ(projectors[1]->GetLightIndex(), 4u);
    EXPECT_EQ(projectors[2]->GetLightIndex(), 5u);
    EXPECT_EQ(NextLightIndex, 6);
}

TEST_F(LightOrder, InTheSceneTheRigsTakeSevenToEleven) {
    NextLightIndex = 7;  // after the box's light and the five bubbles' lights
    CreateSecondActRigs();
    for (const auto& camera : cameras) {
        camera->Update();
    }
    for (const auto& projector : projectors) {
        projector->Update();
    }
    for (uint32_t index = 7; index <= 11; ++index) {
        EXPECT_TRUE(device.IsLightEnabled(index)) << index;
    }
    EXPECT_EQ(device.Lights().size(), 5u);
    EXPECT_EQ(device.Lights().at(7).Diffuse.r, 0.5f);  // red lamp at half brightness
    EXPECT_EQ(device.Lights().at(8).Diffuse.r, 0.0f);  // green lamp
    EXPECT_EQ(device.Lights().at(9).Range, 50.0f);
    EXPECT_EQ(device.Lights().at(9).Attenuation2, 0.0001f);
}

}  // namespace
