#include <gtest/gtest.h>

#include <cmath>

#include "geometry/build_constants.h"
#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "tests/objects/camera/camera_fixture.h"

namespace camera_test {
namespace {

using testing_support::DrawRecord;
using testing_support::Operation;

// Where a matrix puts the local origin.
Vec3 Origin(const Matrix4& m) { return {m(3, 0), m(3, 1), m(3, 2)}; }

void ExpectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

class CameraRender : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        camera = SceneCamera();
        ASSERT_EQ(camera->Create(), S_OK);
        device.ClearRecords();
    }

    void Place(const Matrix4& translation, const Matrix4& rotation) {
        camera->SetTranslation(&translation);
        camera->SetRotation(&rotation);
    }

    // The world matrix of the glow sprite in the latest Render.
    Matrix4 GlowWorld() const { return device.Draws.back().World; }

    int TextureLocks() const { return GlowTexture().LockCount; }

    std::unique_ptr<ObjectCamera> camera;
};

TEST_F(CameraRender, BlinkLevelIsASinePulseStartingAtHalfBrightness) {
    camera->Render(0);
    EXPECT_EQ(camera->GetBlinkLevel(), 0.5f);
    camera->Render(250);
    EXPECT_EQ(camera->GetBlinkLevel(), 1.0f);
    camera->Render(500);
    EXPECT_NEAR(camera->GetBlinkLevel(), 0.5f, 1e-6);
    camera->Render(750);
    EXPECT_NEAR(camera->GetBlinkLevel(), 0.0f, 1e-6);
    // The angle is rounded to float once; the level is (sin + 1) / 2 in double, rounded once.
    camera->Render(123);
    const auto angle = static_cast<float>(123.0 / 1000.0 * 2.0 * f32::PiWide);
    EXPECT_EQ(camera->GetBlinkLevel(),
              static_cast<float>((std::sin(static_cast<double>(angle)) + 1.0) / 2.0));
}

TEST_F(CameraRender, CycleRestartsOnTheFirstFrameMoreThanAPeriodAfterItsStart) {
    for (uint32_t time = 0; time <= 1000; time += 40) {
        camera->Render(time);
        ASSERT_EQ(camera->GetCycleStart(), 0u) << time;
    }
    EXPECT_GT(camera->GetBlinkLevel(), 0.5f);  // float 2 pi overshoots a full turn
    camera->Render(1040);
    EXPECT_EQ(camera->GetCycleStart(), 1040u);
    EXPECT_EQ(camera->GetBlinkLevel(), 0.5f);
    camera->Render(2040);
    EXPECT_EQ(camera->GetCycleStart(), 1040u);
    camera->Render(2080);
    EXPECT_EQ(camera->GetCycleStart(), 2080u);
}

TEST_F(CameraRender, FirstRenderLongAfterTheStartBeginsACycle) {
    camera->Render(70000);
    EXPECT_EQ(camera->GetCycleStart(), 70000u);
    EXPECT_EQ(camera->GetLastRenderTime(), 70000u);
    EXPECT_EQ(camera->GetBlinkLevel(), 0.5f);
}

TEST_F(CameraRender, CycleSurvivesTheClockWrapping) {
    camera->Render(0xFFFFFF00u);
    camera->Render(0xFFFFFF00u + 250);  // 250 ms later, past the wrap
    EXPECT_EQ(camera->GetCycleStart(), 0xFFFFFF00u);
    EXPECT_EQ(camera->GetBlinkLevel(), 1.0f);
}

TEST_F(CameraRender, GlowIsRefilledAtMostEvery40MsOrWhenTheTimeRepeats) {
    const int atCreate = TextureLocks();
    camera->Render(0);  // equal to the last refill time (0 at construction)
    EXPECT_EQ(TextureLocks(), atCreate + 1);
    camera->Render(20);
    camera->Render(40);
    EXPECT_EQ(TextureLocks(), atCreate + 1);
    EXPECT_EQ(camera->GetLastRegenTime(), 0u);
    camera->Render(41);
    EXPECT_EQ(TextureLocks(), atCreate + 2);
    EXPECT_EQ(camera->GetLastRegenTime(), 41u);
    camera->Render(41);
    EXPECT_EQ(TextureLocks(), atCreate + 3);
    EXPECT_FALSE(GlowTexture().Locked);
}

TEST_F(CameraRender, RefilledGlowShowsTheLevelOfTheNewFrame) {
    camera->Render(250);  // full brightness
    EXPECT_EQ(GlowTexture().Texel(64, 64), 0xFFFF0000u);
    EXPECT_EQ(GlowTexture().Texel(127, 64), 0x7FFF0000u);
    EXPECT_TRUE(GlowTexture().PaddingUntouched());
}

TEST_F(CameraRender, FailedRefillDrawsTheGeometryButNotTheGlowAndRetriesNextFrame) {
    device.FailCall(Operation::LockTexture);
    EXPECT_EQ(camera->Render(100), E_FAIL);
    EXPECT_EQ(device.Draws.size(), 8u);
    EXPECT_EQ(device.Draws.back().Buffer, &Buffer(Dome));
    EXPECT_EQ(device.CountCalls("SetTexture"), 0);
    EXPECT_EQ(camera->GetLastRegenTime(), 0u);
    EXPECT_EQ(camera->GetLastRenderTime(), 100u);

    device.ClearRecords();
    EXPECT_EQ(camera->Render(110), 0);
    EXPECT_EQ(camera->GetLastRegenTime(), 110u);
    EXPECT_EQ(device.Draws.size(), 9u);
}

TEST_F(CameraRender, DrawsBodyLensDomeThenTheTexturedGlow) {
    const Matrix4 translation = MatrixTranslation(-200, 10, 410);
    const Matrix4 rotation = MatrixRotationY(-0.45f);
    Place(translation, rotation);
    ASSERT_EQ(camera->Render(0), 0);
    const int order[] = {FrontFace, Side,  BackFace, InnerWall, OuterWall,
                         LensRim,   Glass, Dome,     Glow};
    const uint32_t triangles[] = {2, 8, 2, 512, 512, 512, 512, 32766, 2};
    ASSERT_EQ(device.Draws.size(), 9u);
    const Matrix4 world = MatrixMultiply(rotation, translation);
    for (size_t d = 0; d < 9; ++d) {
        SCOPED_TRACE(d);
        const DrawRecord& draw = device.Draws[d];
        EXPECT_EQ(draw.Buffer, &Buffer(order[d]));
        EXPECT_EQ(draw.PrimitiveCount, triangles[d]);
        EXPECT_EQ(draw.StartVertex, 0u);
        EXPECT_EQ(draw.Stride, VertexStride);
        EXPECT_EQ(draw.Fvf, VertexFormat);
        if (d < 8) {
            EXPECT_EQ(draw.World, world);
            EXPECT_EQ(draw.Texture, nullptr);
        }
    }
    const DrawRecord& glow = device.Draws.back();
    EXPECT_EQ(glow.Texture, &GlowTexture());
    EXPECT_EQ(glow.ColorOp, gfx::TextureOpAdd);
    EXPECT_EQ(glow.ColorArg1, gfx::TextureArgTexture);
    EXPECT_EQ(glow.ColorArg2, gfx::TextureArgDiffuse);
    EXPECT_EQ(glow.AlphaOp, gfx::TextureOpAdd);
    EXPECT_EQ(glow.AlphaArg1, gfx::TextureArgTexture);
    EXPECT_EQ(glow.AlphaArg2, gfx::TextureArgDiffuse);
    // The texture is unbound afterwards; the stage states stay.
    EXPECT_EQ(device.CurrentTexture(), nullptr);
    EXPECT_EQ(device.StageState(gfx::TextureStageState::ColorOp), gfx::TextureOpAdd);
    EXPECT_EQ(device.StageState(gfx::TextureStageState::AlphaOp), gfx::TextureOpAdd);
}

TEST_F(CameraRender, GlowStandsFourLampRadiiTowardsTheEyeInFrontOfTheLamp) {
    const float eye = ProgramConstants->EyeDistance;
    Place(MatrixTranslation(60, 0, 400), Matrix4::Identity());
    camera->Render(0);
    const float yaw = std::atan(60.0f / (400.0f + eye));
    ExpectNear(Origin(GlowWorld()), {60 + 5 - 4 * std::sin(yaw), 5, 400 - 4 * std::cos(yaw)});

    // Pitch turns the push about x; the eye height is not used.
    Place(MatrixTranslation(0, 30, 200), Matrix4::Identity());
    camera->Render(0);
    const float pitch = std::atan(30.0f / (200.0f + eye));
    ExpectNear(Origin(GlowWorld()), {5, 30 + 5 + 4 * std::sin(pitch), 200 - 4 * std::cos(pitch)});
}

TEST_F(CameraRender, GlowFacingDependsOnTheTranslationOnly) {
    const Matrix4 translation = MatrixTranslation(-120, 15, 300);
    Place(translation, MatrixRotationY(0.3f));
    camera->Render(0);
    const Matrix4 first = GlowWorld();
    // A quarter turn about z carries the lamp from (5, 5) to (-5, 5).
    Place(translation, MatrixRotationZ(f32::Pi / 2));
    camera->Render(0);
    const Matrix4 second = GlowWorld();
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(first(row, column), second(row, column)) << row << ", " << column;
        }
    }
    const Vec3 lampMove = Origin(second) - Origin(first);
    const Vec4 lampFirst = Vec3Transform({5, 5, 0}, MatrixRotationY(0.3f));
    ExpectNear(lampMove, Vec3{-5, 5, 0} - Vec3{lampFirst.x, lampFirst.y, lampFirst.z});
}

TEST_F(CameraRender, GlowFacingReadsTheEyeDistanceOfTheProgram) {
    const BuildConstants* saved = ProgramConstants;
    ProgramConstants = &BannerAltConstants;
    Place(MatrixTranslation(60, 0, 0), Matrix4::Identity());
    camera->Render(0);
    ProgramConstants = saved;
    const float yaw = std::atan(60.0f / BannerAltConstants.EyeDistance);
    ExpectNear(Origin(GlowWorld()), {60 + 5 - 4 * std::sin(yaw), 5, -4 * std::cos(yaw)});
}

TEST_F(CameraRender, LightSitsBehindTheLampInTheLampColourScaledByTheLevel) {
    const float angle = 0.5f;
    Place(MatrixTranslation(100, 20, 400), MatrixRotationY(angle));
    camera->Update();  // before any Render: half brightness
    const uint32_t index = camera->GetLightIndex();
    ASSERT_EQ(index, 1u);
    EXPECT_EQ(device.Lights().at(index).Diffuse.r, 0.5f);

    camera->Render(250);
    camera->Update();
    const gfx::Light& light = device.Lights().at(index);
    EXPECT_EQ(light.Type, gfx::LightType::Point);
    for (const gfx::ColorValue& c : {light.Diffuse, light.Specular, light.Ambient}) {
        EXPECT_EQ(c.r, 1.0f);
        EXPECT_EQ(c.g, 0.0f);
        EXPECT_EQ(c.b, 0.0f);
        EXPECT_EQ(c.a, 0.0f);
    }
    EXPECT_EQ(light.Range, 50.0f);
    EXPECT_EQ(light.Attenuation0, 0.0f);
    EXPECT_EQ(light.Attenuation1, 0.0f);
    EXPECT_EQ(light.Attenuation2, 0.01f);
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    ExpectNear(light.Position, {100 + 5 * c + 10 * s, 25, 400 - 5 * s + 10 * c});
    EXPECT_TRUE(device.IsLightEnabled(index));
}

TEST_F(CameraRender, LightColourOfAGreenLampAtPartialBrightness) {
    auto green = SceneCamera(Green);
    ASSERT_EQ(green->Create(), S_OK);
    green->Render(0);
    green->Render(100);
    green->Update();
    const float level = green->GetBlinkLevel();
    const gfx::Light& light = device.Lights().at(green->GetLightIndex());
    EXPECT_EQ(light.Diffuse.r, 0.0f);
    EXPECT_FLOAT_EQ(light.Diffuse.g, 128 / 255.0f * level);
    EXPECT_EQ(light.Diffuse.b, 0.0f);
}

}  // namespace
}  // namespace camera_test
