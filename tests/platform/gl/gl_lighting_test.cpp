#include <gtest/gtest.h>

#include <cmath>

#include "geometry/matrix_math.h"
#include "tests/platform/gl/gl_test_rig.h"

// The lit colour of a square drawn over the whole target, against the fixed-function lighting
// equations evaluated here: rgb = Ce + Ca (Ga + sum La att) + Cd sum (Ld max(0, N.L) att),
// clamped per vertex; alpha = Cd alpha.
namespace {

using gl_testing::Byte;
using gl_testing::GlTestRig;
using gl_testing::Rgb;
using gl_testing::Scaled;
using gl_testing::Square;

struct Color3 {
    float r, g, b;
};

float Clamp01(float v) { return std::fmin(std::fmax(v, 0.0f), 1.0f); }

void ExpectPixel(const Rgb& pixel, Color3 expected) {
    EXPECT_NEAR(pixel.r, Scaled(Clamp01(expected.r)), 1.0);
    EXPECT_NEAR(pixel.g, Scaled(Clamp01(expected.g)), 1.0);
    EXPECT_NEAR(pixel.b, Scaled(Clamp01(expected.b)), 1.0);
}

float Channel(uint32_t argb, int shift) { return static_cast<float>(Byte(argb, shift)) / 255.0f; }

gfx::Light Directional(Vec3 direction, gfx::ColorValue diffuse) {
    gfx::Light light;
    light.Type = gfx::LightType::Directional;
    light.Direction = direction;
    light.Diffuse = diffuse;
    light.Range = 1000.0f;
    return light;
}

gfx::Light Point(Vec3 position, gfx::ColorValue diffuse, gfx::ColorValue ambient, float range,
                 float a0, float a1, float a2) {
    gfx::Light light;
    light.Type = gfx::LightType::Point;
    light.Position = position;
    light.Diffuse = diffuse;
    light.Ambient = ambient;
    light.Range = range;
    light.Attenuation0 = a0;
    light.Attenuation1 = a1;
    light.Attenuation2 = a2;
    return light;
}

class GlLightingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Rig.Ready()) << Rig.Error;
        Rig.UsePlainState();
        Rig.Device->SetRenderState(gfx::RenderState::Lighting, 1);
        Rig.Device->SetRenderState(gfx::RenderState::Ambient, 0);
        Rig.Device->SetMaterial(&Plain);
    }

    Rgb DrawAndSample(const std::vector<Vertex>& vertices) {
        EXPECT_EQ(Rig.DrawStrip(vertices), S_OK);
        return Rig.PresentAndRead().At(32, 32);
    }

    GlTestRig Rig;
    gfx::Material Plain;
};

TEST_F(GlLightingTest, DirectionalLightFollowsTheCosineOfTheNormalizedDirection) {
    const uint32_t diffuse = 0xFF80C0FFu;
    Vec3 direction{0.3f, -0.5f, 1.0f};
    gfx::Light light = Directional(direction, {0.8f, 0.6f, 0.4f, 0.0f});
    Rig.Device->SetLight(0, &light);
    Rig.Device->LightEnable(0, true);

    float facing = 1.0f / std::sqrt(0.09f + 0.25f + 1.0f);  // N = (0, 0, -1)
    Rgb pixel = DrawAndSample(Square(0.5f, diffuse));
    ExpectPixel(pixel, {Channel(diffuse, 16) * 0.8f * facing, Channel(diffuse, 8) * 0.6f * facing,
                        Channel(diffuse, 0) * 0.4f * facing});
}

TEST_F(GlLightingTest, NormalsUseTheInverseTransposeAndAreNotRenormalized) {
    gfx::Light light = Directional({0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 0.0f});
    Rig.Device->SetLight(0, &light);
    Rig.Device->LightEnable(0, true);
    Matrix4 doubled = Matrix4::Identity();
    doubled(0, 0) = doubled(1, 1) = doubled(2, 2) = 2.0f;
    Rig.Device->SetTransform(gfx::TransformState::World, &doubled);

    // Scaling by 2 leaves normals half as long, and so half as bright.
    ExpectPixel(DrawAndSample(Square(0.25f, 0xFFFFFFFFu, 0.9f)), {0.5f, 0.5f, 0.5f});

    Matrix4 squashed = Matrix4::Identity();
    squashed(2, 2) = 0.25f;  // the normal along z grows fourfold, then clamps
    Rig.Device->SetTransform(gfx::TransformState::World, &squashed);
    Rig.ClearTo(0xFF000000u);
    ExpectPixel(DrawAndSample(Square(0.5f, 0xFF204060u)),
                {Channel(0xFF204060u, 16) * 4.0f, Channel(0xFF204060u, 8) * 4.0f, 1.0f});
}

TEST_F(GlLightingTest, LightsAreGivenInWorldSpaceAndMovedByTheView) {
    Matrix4 view = MatrixRotationY(0.7f);
    Matrix4 world = MatrixRotationY(-0.7f);
    Rig.Device->SetTransform(gfx::TransformState::View, &view);
    Rig.Device->SetTransform(gfx::TransformState::World, &world);
    gfx::Light light = Directional({0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 0.0f});
    Rig.Device->SetLight(0, &light);
    Rig.Device->LightEnable(0, true);

    // In view space the light runs along (sin 0.7, 0, cos 0.7); the square faces -z there.
    float facing = std::cos(0.7f);
    ExpectPixel(DrawAndSample(Square(0.5f, 0xFFFFFFFFu, 0.9f)), {facing, facing, facing});
}

class GlPointLightTest : public GlLightingTest {
protected:
    void SetUp() override {
        GlLightingTest::SetUp();
        Lit.Ambient = {0.5f, 0.25f, 1.0f, 1.0f};
        Lit.Emissive = {0.1f, 0.0f, 0.05f, 0.0f};
        Rig.Device->SetMaterial(&Lit);
        Rig.Device->SetRenderState(gfx::RenderState::Ambient, 0xFF402010u);
    }

    // Every corner of the square at z = 0.5 lies at the same distance from a light on the z axis
    // at z = -2, so the colour is the same over the whole square.
    static constexpr float Distance() { return 2.8722813f; }  // sqrt(1 + 1 + 2.5^2)
    static constexpr float Facing() { return 2.5f / Distance(); }

    Color3 Expected(const gfx::Light& light, float attenuation, bool inRange) const {
        float ga[3] = {Channel(0xFF402010u, 16), Channel(0xFF402010u, 8), Channel(0xFF402010u, 0)};
        float la[3] = {light.Ambient.r, light.Ambient.g, light.Ambient.b};
        float ld[3] = {light.Diffuse.r, light.Diffuse.g, light.Diffuse.b};
        float ca[3] = {Lit.Ambient.r, Lit.Ambient.g, Lit.Ambient.b};
        float ce[3] = {Lit.Emissive.r, Lit.Emissive.g, Lit.Emissive.b};
        float cd[3] = {Channel(Diffuse, 16), Channel(Diffuse, 8), Channel(Diffuse, 0)};
        float out[3];
        for (int c = 0; c < 3; ++c) {
            float att = inRange ? attenuation : 0.0f;
            out[c] = ce[c] + ca[c] * (ga[c] + la[c] * att) + cd[c] * (ld[c] * Facing() * att);
        }
        return {out[0], out[1], out[2]};
    }

    gfx::Material Lit;
    const uint32_t Diffuse = 0xFF6080A0u;
};

TEST_F(GlPointLightTest, InsideItsRangeAttenuatesByDistance) {
    gfx::Light light = Point({0.0f, 0.0f, -2.0f}, {0.9f, 0.7f, 0.5f, 0.0f},
                             {0.2f, 0.4f, 0.1f, 0.0f}, 10.0f, 0.5f, 0.2f, 0.1f);
    Rig.Device->SetLight(3, &light);
    Rig.Device->LightEnable(3, true);
    float d = Distance();
    float attenuation = 1.0f / (0.5f + 0.2f * d + 0.1f * d * d);
    ExpectPixel(DrawAndSample(Square(0.5f, Diffuse)), Expected(light, attenuation, true));
}

TEST_F(GlPointLightTest, AttenuationAboveOneIsNotClamped) {
    gfx::Light light = Point({0.0f, 0.0f, -2.0f}, {0.15f, 0.1f, 0.05f, 0.0f},
                             {0.05f, 0.0f, 0.0f, 0.0f}, 10.0f, 0.25f, 0.0f, 0.0f);
    Rig.Device->SetLight(1, &light);
    Rig.Device->LightEnable(1, true);
    ExpectPixel(DrawAndSample(Square(0.5f, Diffuse)), Expected(light, 4.0f, true));
}

TEST_F(GlPointLightTest, BeyondItsRangeGivesNothingNotEvenAmbient) {
    gfx::Light light = Point({0.0f, 0.0f, -2.0f}, {0.9f, 0.7f, 0.5f, 0.0f},
                             {0.8f, 0.8f, 0.8f, 0.0f}, 2.8f, 1.0f, 0.0f, 0.0f);
    Rig.Device->SetLight(1, &light);
    Rig.Device->LightEnable(1, true);
    ExpectPixel(DrawAndSample(Square(0.5f, Diffuse)), Expected(light, 1.0f, false));
}

TEST_F(GlPointLightTest, GlobalAndMaterialAmbientWithNoLightEnabled) {
    gfx::Light unused = Point({}, {}, {}, 0.0f, 1.0f, 0.0f, 0.0f);
    ExpectPixel(DrawAndSample(Square(0.5f, Diffuse)), Expected(unused, 0.0f, false));
}

TEST_F(GlLightingTest, ColorsClampAtEachVertexBeforeInterpolation) {
    gfx::Light light = Directional({0.0f, 0.0f, 1.0f}, {4.0f, 4.0f, 4.0f, 0.0f});
    Rig.Device->SetLight(0, &light);
    Rig.Device->LightEnable(0, true);
    std::vector<Vertex> square = Square(0.5f, 0xFF000000u);
    square[0].Diffuse = square[2].Diffuse = 0xFFFFFFFFu;  // left edge: 4, clamped to 1

    EXPECT_EQ(Rig.DrawStrip(square), S_OK);
    Rgb middle = Rig.PresentAndRead().At(32, 10);
    EXPECT_NEAR(middle.r, 127.5, 2.0);
    EXPECT_NEAR(middle.b, 127.5, 2.0);
}

TEST_F(GlLightingTest, VertexAlphaBlendsTheLitColorOverTheTarget) {
    gfx::Light light = Directional({0.0f, 0.0f, 1.0f}, {1.0f, 0.5f, 0.25f, 0.0f});
    Rig.Device->SetLight(0, &light);
    Rig.Device->LightEnable(0, true);
    Rig.Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    Rig.Device->SetRenderState(gfx::RenderState::SrcBlend, gfx::BlendSrcAlpha);
    Rig.Device->SetRenderState(gfx::RenderState::DestBlend, gfx::BlendInvSrcAlpha);
    const uint32_t target = 0xFF204080u;
    Rig.ClearTo(target);

    const uint32_t diffuse = 0x60FFFFFFu;
    float a = Channel(diffuse, 24);
    auto blend = [&](float source, int shift) {
        return source * a + Channel(target, shift) * (1.0f - a);
    };
    ExpectPixel(DrawAndSample(Square(0.5f, diffuse)),
                {blend(1.0f, 16), blend(0.5f, 8), blend(0.25f, 0)});
}

TEST_F(GlLightingTest, SixteenLightsAddUpAndDisabledOnesDropOut) {
    gfx::Light light = Directional({0.0f, 0.0f, 1.0f}, {0.05f, 0.05f, 0.05f, 0.0f});
    for (uint32_t index = 0; index < 17; ++index) {
        Rig.Device->SetLight(index * 3, &light);
        Rig.Device->LightEnable(index * 3, true);
    }
    Rig.Device->LightEnable(0, false);
    ExpectPixel(DrawAndSample(Square(0.5f, 0xFFFFFFFFu)), {0.8f, 0.8f, 0.8f});
}

TEST_F(GlLightingTest, EnablingAnUnsetIndexGivesTheDefaultWhiteLightAlongZ) {
    Rig.Device->LightEnable(42, true);
    ExpectPixel(DrawAndSample(Square(0.5f, 0xFF406080u)),
                {Channel(0xFF406080u, 16), Channel(0xFF406080u, 8), Channel(0xFF406080u, 0)});
}

TEST_F(GlLightingTest, LightingOffPassesTheVertexColorThrough) {
    gfx::Light light = Directional({0.0f, 0.0f, 1.0f}, {0.1f, 0.1f, 0.1f, 0.0f});
    Rig.Device->SetLight(0, &light);
    Rig.Device->LightEnable(0, true);
    Rig.Device->SetRenderState(gfx::RenderState::Lighting, 0);
    ExpectPixel(DrawAndSample(Square(0.5f, 0xFF336699u)), {0.2f, 0.4f, 0.6f});
}

}  // namespace
