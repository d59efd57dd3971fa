#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "tests/objects/projector/projector_fixture.h"

namespace projector_test {
namespace {

using testing_support::DrawRecord;
using testing_support::RecordedCall;

class ProjectorRender : public ProjectorTest {
protected:
    void SetUp() override {
        ProjectorTest::SetUp();
        projector = SceneProjector();
        ASSERT_EQ(projector->Create(), S_OK);
        device.ClearRecords();
    }

    // As the timeline places the first projector in phase 6.
    Matrix4 PlaceOnStage() {
        const Matrix4 translation = MatrixTranslation(-550, 0, 800);
        const Matrix4 rotation =
            MatrixMultiply(MatrixRotationX(-0.39269909f - 1.5707964f), MatrixRotationZ(0.3f));
        projector->SetTranslation(&translation);
        projector->SetRotation(&rotation);
        return MatrixMultiply(rotation, translation);
    }

    std::unique_ptr<ObjectProjector> projector;
};

TEST_F(ProjectorRender, DrawsCanThenFlapsThenFourBeamQuarters) {
    const Matrix4 world = PlaceOnStage();
    ASSERT_EQ(projector->Render(1234), 0);
    const int order[] = {OuterWall, FrontRing,  BackCap,  InnerWall, InnerBack, Lens, TopDoor,
                         RightDoor, BottomDoor, LeftDoor, Beam,      Beam,      Beam, Beam};
    ASSERT_EQ(device.Draws.size(), 14u);
    for (size_t d = 0; d < 14; ++d) {
        SCOPED_TRACE(d);
        const DrawRecord& draw = device.Draws[d];
        EXPECT_EQ(draw.Buffer, &Buffer(order[d]));
        EXPECT_EQ(draw.PrimitiveCount, d < 6 ? 512u : 4u);
        EXPECT_EQ(draw.StartVertex, 0u);
        EXPECT_EQ(draw.Stride, VertexStride);
        EXPECT_EQ(draw.Fvf, VertexFormat);
        if (d < 10) {
            EXPECT_EQ(draw.World, world);
            EXPECT_EQ(draw.Texture, nullptr);
        } else {
            EXPECT_EQ(draw.Texture, &BeamTexture());
            EXPECT_EQ(draw.ColorOp, gfx::TextureOpAdd);
            EXPECT_EQ(draw.ColorArg1, gfx::TextureArgTexture);
            EXPECT_EQ(draw.ColorArg2, gfx::TextureArgDiffuse);
            EXPECT_EQ(draw.AlphaOp, gfx::TextureOpAdd);
            EXPECT_EQ(draw.AlphaArg1, gfx::TextureArgTexture);
            EXPECT_EQ(draw.AlphaArg2, gfx::TextureArgDiffuse);
        }
    }
    EXPECT_EQ(device.CurrentTexture(), nullptr);
    EXPECT_EQ(device.StageState(gfx::TextureStageState::ColorOp), gfx::TextureOpAdd);
    EXPECT_EQ(device.StageState(gfx::TextureStageState::AlphaOp), gfx::TextureOpAdd);
    EXPECT_EQ(device.Transform(gfx::TransformState::World), device.Draws.back().World);
}

TEST_F(ProjectorRender, BeamQuartersTurnAboutTheAxisBeforeTheWorldMatrix) {
    const Matrix4 world = PlaceOnStage();
    projector->Render(0);
    const double eighths[] = {7, 5, 3, 1};
    for (int m = 0; m < 4; ++m) {
        SCOPED_TRACE(m);
        const auto angle = static_cast<float>(eighths[m] * f32::PiWide / 4);
        const Matrix4 quarter = MatrixRotationZ(angle);
        EXPECT_EQ(device.Draws[10 + m].World, MatrixMultiply(quarter, world));
        // The local +x edge of the quarter lies on a diagonal, at 7/8, 5/8, 3/8, 1/8 of a turn.
        EXPECT_NEAR(quarter(0, 0), std::cos(eighths[m] * std::numbers::pi / 4), 1e-6);
        EXPECT_NEAR(quarter(0, 1), std::sin(eighths[m] * std::numbers::pi / 4), 1e-6);
    }
}

TEST_F(ProjectorRender, RenderIgnoresTheTime) {
    PlaceOnStage();
    projector->Render(0);
    const std::vector<RecordedCall> first = device.Calls;
    device.ClearRecords();
    projector->Render(987654);
    ASSERT_EQ(device.Calls.size(), first.size());
    for (size_t c = 0; c < first.size(); ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(device.Calls[c].Name, first[c].Name);
        EXPECT_EQ(device.Calls[c].Arguments, first[c].Arguments);
        EXPECT_EQ(device.Calls[c].Object, first[c].Object);
        EXPECT_EQ(device.Calls[c].Matrix, first[c].Matrix);
    }
}

TEST_F(ProjectorRender, LightStandsOnTheAxisInFrontOfTheOpeningInTheBeamColour) {
    const Matrix4 translation = MatrixTranslation(100, -20, 800);
    const Matrix4 rotation = MatrixRotationX(-f32::Pi / 2);
    projector->SetTranslation(&translation);
    projector->SetRotation(&rotation);
    projector->Update();
    const uint32_t index = projector->GetLightIndex();
    const gfx::Light& light = device.Lights().at(index);
    EXPECT_EQ(light.Type, gfx::LightType::Point);
    for (const gfx::ColorValue& c : {light.Diffuse, light.Specular, light.Ambient}) {
        EXPECT_EQ(c.r, 1.0f);
        EXPECT_EQ(c.g, 1.0f);
        EXPECT_EQ(c.b, 128 / 255.0f);
        EXPECT_EQ(c.a, 0.0f);
    }
    EXPECT_EQ(light.Range, 50.0f);
    EXPECT_EQ(light.Attenuation0, 0.0f);
    EXPECT_EQ(light.Attenuation1, 0.0f);
    EXPECT_EQ(light.Attenuation2, 0.0001f);
    // Tilted a quarter turn about x, the beam points down: the light is 10 below the can.
    EXPECT_NEAR(light.Position.x, 100, 1e-4);
    EXPECT_NEAR(light.Position.y, -30, 1e-4);
    EXPECT_NEAR(light.Position.z, 800, 1e-4);
    EXPECT_TRUE(device.IsLightEnabled(index));
}

TEST_F(ProjectorRender, LightIsProgrammedEveryFrameEvenWhenNeverShown) {
    projector->Update();
    projector->Update();
    EXPECT_EQ(device.CountCalls("SetLight"), 2);
    EXPECT_EQ(device.CountCalls("LightEnable"), 2);
    const gfx::Light& light = device.Lights().at(projector->GetLightIndex());
    EXPECT_EQ(light.Position, (Vec3{0, 0, -LightDistance}));
    EXPECT_TRUE(device.Draws.empty());
}

}  // namespace
}  // namespace projector_test
