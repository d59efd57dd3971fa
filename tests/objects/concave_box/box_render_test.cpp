#include <gtest/gtest.h>

#include <cmath>

#include "geometry/build_constants.h"
#include "geometry/matrix_math.h"
#include "tests/objects/concave_box/box_fixture.h"

namespace box_test {
namespace {

using testing_support::DrawRecord;
using testing_support::Operation;

class BoxFrame : public BoxTest {
protected:
    void SetUp() override {
        BoxTest::SetUp();
        ASSERT_EQ(Box.Create(), S_OK);
        Device.ClearRecords();
    }
    void Place(float x, float y, float z, const Matrix4& rotation = Matrix4::Identity()) {
        const Matrix4 translation = MatrixTranslation(x, y, z);
        Box.SetTranslation(&translation);
        Box.SetRotation(&rotation);
    }
};

TEST_F(BoxFrame, LightHangsInFrontWhateverTheRotation) {
    Place(10, 0, 400, MatrixRotationY(1.0f));
    EXPECT_EQ(Box.Update(), 0);
    ASSERT_EQ(Box.GetLightIndex(), 1u);
    ASSERT_EQ(Device.Lights().count(1), 1u);
    const gfx::Light& light = Device.Lights().at(1);
    EXPECT_EQ(light.Type, gfx::LightType::Point);
    EXPECT_EQ(light.Position, Vec3(10, 0, 360));
    EXPECT_EQ(light.Diffuse.r, 1.0f);
    EXPECT_EQ(light.Diffuse.g, 1.0f);
    EXPECT_EQ(light.Diffuse.b, 0.0f);
    EXPECT_EQ(light.Diffuse.a, 0.0f);
    EXPECT_EQ(light.Specular.g, 1.0f);
    EXPECT_EQ(light.Ambient.r, 0.2f);
    EXPECT_EQ(light.Ambient.b, 0.0f);
    EXPECT_EQ(light.Range, 100.0f);
    EXPECT_EQ(light.Attenuation0, 0.0f);
    EXPECT_EQ(light.Attenuation1, 0.0f);
    EXPECT_EQ(light.Attenuation2, 0.001f);
    EXPECT_EQ(light.Direction, Vec3());
    EXPECT_EQ(light.Theta, 0.0f);
}

TEST_F(BoxFrame, LightFollowsTheSwitchAtEveryUpdate) {
    EXPECT_FALSE(Box.IsLightEnabled());
    Box.Update();
    EXPECT_FALSE(Device.IsLightEnabled(1));
    Box.SetLightEnabled(true);
    EXPECT_FALSE(Device.IsLightEnabled(1));
    Box.Update();
    EXPECT_TRUE(Device.IsLightEnabled(1));
    Box.SetLightEnabled(true);
    Box.SetLightEnabled(false);
    Box.Update();
    EXPECT_FALSE(Device.IsLightEnabled(1));
    // Programmed every frame, drawn or not.
    EXPECT_EQ(Device.CountCalls("SetLight"), 3);
    EXPECT_EQ(Device.CountCalls("LightEnable"), 3);
}

TEST_F(BoxFrame, LightOffDrawsTheFourBoxStripsOnly) {
    Place(-200, 0, 800);
    EXPECT_EQ(Box.Render(0), 0);
    ASSERT_EQ(Device.Draws.size(), 4u);
    const uint32_t triangles[4] = {512, 128 * 256 - 2, 8, 2};
    const BufferIndex buffers[4] = {FrontFace, Hollow, Wall, BackFace};
    for (size_t d = 0; d < 4; ++d) {
        const DrawRecord& draw = Device.Draws[d];
        EXPECT_EQ(draw.Buffer, &Buffer(buffers[d]));
        EXPECT_EQ(draw.PrimitiveCount, triangles[d]);
        EXPECT_EQ(draw.Stride, 36u);
        EXPECT_EQ(draw.Fvf, 0x152u);
        EXPECT_EQ(draw.World, Box.GetWorld());
        EXPECT_EQ(draw.Texture, nullptr);
    }
    EXPECT_EQ(Device.CountCalls("SetTextureStageState"), 0);
    EXPECT_EQ(Device.StageState(gfx::TextureStageState::ColorOp), gfx::TextureOpModulate);
    EXPECT_EQ(Device.CurrentTexture(), nullptr);
}

TEST_F(BoxFrame, LightOnAddsTheGlowAndLeavesItsStageStates) {
    Place(0, 0, 800, MatrixRotationX(0.7f));
    Box.SetLightEnabled(true);
    EXPECT_EQ(Box.Render(0), 0);
    ASSERT_EQ(Device.Draws.size(), 5u);
    const DrawRecord& glow = Device.Draws[4];
    EXPECT_EQ(glow.Buffer, &Buffer(Glow));
    EXPECT_EQ(glow.PrimitiveCount, 2u);
    EXPECT_EQ(glow.Texture, Device.Textures()[0]);
    EXPECT_EQ(glow.ColorOp, gfx::TextureOpAdd);
    EXPECT_EQ(glow.ColorArg1, gfx::TextureArgTexture);
    EXPECT_EQ(glow.ColorArg2, gfx::TextureArgDiffuse);
    EXPECT_EQ(glow.AlphaOp, gfx::TextureOpAdd);
    EXPECT_EQ(glow.AlphaArg1, gfx::TextureArgTexture);
    EXPECT_EQ(glow.AlphaArg2, gfx::TextureArgDiffuse);
    // Straight ahead of the eye: no turn, pushed twice the light distance towards it, and the
    // box's own rotation ignored.
    EXPECT_EQ(glow.World, MatrixTranslation(0, 0, 720));
    // The box strips came first, with the caller's stage states.
    EXPECT_EQ(Device.Draws[0].ColorOp, gfx::TextureOpModulate);
    EXPECT_EQ(Device.CurrentTexture(), nullptr);
    EXPECT_EQ(Device.StageState(gfx::TextureStageState::AlphaOp), gfx::TextureOpAdd);
    EXPECT_EQ(Device.CallNames().back(), "SetTexture");
}

TEST_F(BoxFrame, GlowTurnsTowardsTheEye) {
    Place(-200, 50, 800);
    Box.SetLightEnabled(true);
    Box.Render(0);
    ASSERT_EQ(Device.Draws.size(), 5u);
    const Matrix4& world = Device.Draws[4].World;
    const float depth = 800 + ProgramConstants->EyeDistance;
    const float yaw = std::atan(-200 / depth);
    // The quad is pushed out along its own -z, which the yaw swings towards the eye's side.
    const Vec4 centre = Vec3Transform({0, 0, 0}, world);
    EXPECT_NEAR(centre.x, -200 + 80 * std::sin(-yaw), 1e-3);
    EXPECT_NEAR(centre.z, 800 - 80 * std::cos(yaw) * std::cos(std::atan(50 / depth)), 1e-3);
    EXPECT_GT(centre.x, -200);
}

TEST_F(BoxFrame, SwitchedOffWithinTheFrameDrawsNoGlow) {
    Box.SetLightEnabled(true);
    Box.SetLightEnabled(false);
    Box.Render(0);
    EXPECT_EQ(Device.Draws.size(), 4u);
}

TEST_F(BoxTest, DestructionReleasesEverythingMade) {
    {
        ObjectConcavBox box(8, 1.0f, 2.0f, 3.0f, Inner, Outer);
        ASSERT_EQ(box.Create(), S_OK);
    }
    ASSERT_EQ(Device.VertexBuffers().size(), 5u);
    for (const auto* buffer : Device.VertexBuffers()) {
        EXPECT_EQ(buffer->ReleaseCount, 1);
    }
    EXPECT_EQ(Device.Textures()[0]->ReleaseCount, 1);
}

// Every device call that Create makes, failed one at a time.
struct Failure {
    Operation Call;
    int Number;
};

class FailedBox : public ::testing::TestWithParam<Failure> {};

TEST_P(FailedBox, TakesNoLightAndDrawsOrBindsNothingMissing) {
    RecordingDevice device;
    GraphicsDevice = &device;
    NextLightIndex = 1;
    {
        ObjectConcavBox box(8, 1.0f, 2.0f, 3.0f, Inner, Outer);
        device.FailCall(GetParam().Call, GetParam().Number);
        EXPECT_EQ(box.Create(), E_FAIL);
        EXPECT_EQ(NextLightIndex, 1);
        EXPECT_EQ(box.GetLightIndex(), 0u);
        box.SetLightEnabled(true);
        device.ClearRecords();
        EXPECT_EQ(box.Update(), 0);
        // Light 0 is the scene's: a box without a light of its own leaves the lights alone.
        EXPECT_EQ(device.CountCalls("SetLight"), 0);
        EXPECT_EQ(device.CountCalls("LightEnable"), 0);
        EXPECT_EQ(box.Render(0), 0);
        EXPECT_TRUE(device.Draws.empty());
        for (const auto& call : device.Calls) {
            if (call.Name == "SetTexture") {
                EXPECT_EQ(call.Object, nullptr);
            }
        }
        EXPECT_EQ(device.CurrentTexture(), nullptr);
    }
    for (const auto* buffer : device.VertexBuffers()) {
        EXPECT_EQ(buffer->ReleaseCount, 1);
    }
    for (const auto* texture : device.Textures()) {
        EXPECT_EQ(texture->ReleaseCount, 1);
    }
    GraphicsDevice = nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    EveryCreateCall, FailedBox,
    ::testing::Values(
        Failure{Operation::CreateTexture, 0}, Failure{Operation::LockTexture, 0},
        Failure{Operation::CreateVertexBuffer, 0}, Failure{Operation::CreateVertexBuffer, 1},
        Failure{Operation::CreateVertexBuffer, 2}, Failure{Operation::CreateVertexBuffer, 3},
        Failure{Operation::CreateVertexBuffer, 4}, Failure{Operation::LockVertexBuffer, 0},
        Failure{Operation::LockVertexBuffer, 1}, Failure{Operation::LockVertexBuffer, 2},
        Failure{Operation::LockVertexBuffer, 3}, Failure{Operation::LockVertexBuffer, 4}));

TEST_F(BoxTest, UpdateBeforeCreateLeavesTheLightsAlone) {
    EXPECT_EQ(Box.Update(), 0);
    EXPECT_TRUE(Device.Calls.empty());
}

}  // namespace
}  // namespace box_test
