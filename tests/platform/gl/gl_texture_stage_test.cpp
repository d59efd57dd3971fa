#include <gtest/gtest.h>

#include "tests/platform/gl/gl_test_rig.h"

// Texture stage 0 over a uniformly coloured texture, and the rule that without a texture the
// stage passes the diffuse colour through whatever its operations read.
namespace {

using gfx::TextureStageState;
using gl_testing::Byte;
using gl_testing::GlTestRig;
using gl_testing::Rgb;
using gl_testing::Square;

constexpr uint32_t TexelColor = 0x80402080u;   // a 0.5, r 0.25, g 0.125, b 0.5
constexpr uint32_t VertexColor = 0x40C06020u;  // a 0.25, r 0.75, g 0.375, b 0.125
constexpr uint32_t Backdrop = 0xFF000000u;

class GlTextureStageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Rig.Ready()) << Rig.Error;
        Rig.UsePlainState();
        ASSERT_EQ(
            Rig.Device->CreateTexture(8, 8, 1, gfx::UsageDynamic, gfx::Format::A8R8G8B8, &Plain),
            S_OK);
        ASSERT_TRUE(gl_testing::Fill(Plain, 8, TexelColor));
        // Blending over black shows alpha as a factor on the colour.
        Rig.Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 1);
        Rig.Device->SetRenderState(gfx::RenderState::SrcBlend, gfx::BlendSrcAlpha);
        Rig.Device->SetRenderState(gfx::RenderState::DestBlend, gfx::BlendInvSrcAlpha);
    }
    void TearDown() override {
        if (Plain != nullptr) {
            Plain->Release();
        }
    }

    void SetStage(uint32_t op, uint32_t arg1, uint32_t arg2) {
        auto* device = Rig.Device;
        device->SetTextureStageState(0, TextureStageState::ColorOp, op);
        device->SetTextureStageState(0, TextureStageState::ColorArg1, arg1);
        device->SetTextureStageState(0, TextureStageState::ColorArg2, arg2);
        device->SetTextureStageState(0, TextureStageState::AlphaOp, op);
        device->SetTextureStageState(0, TextureStageState::AlphaArg1, arg1);
        device->SetTextureStageState(0, TextureStageState::AlphaArg2, arg2);
    }

    Rgb Draw(gfx::Texture* texture) {
        Rig.ClearTo(Backdrop);
        Rig.Device->SetTexture(0, texture);
        EXPECT_EQ(Rig.DrawStrip(Square(0.5f, VertexColor)), S_OK);
        return Rig.PresentAndRead().At(20, 40);
    }

    // rgb times alpha, on the 0..255 scale, given per-channel results in 0..1.
    static void ExpectBlended(const Rgb& pixel, float r, float g, float b, float a) {
        EXPECT_NEAR(pixel.r, r * a * 255.0f, 1.0);
        EXPECT_NEAR(pixel.g, g * a * 255.0f, 1.0);
        EXPECT_NEAR(pixel.b, b * a * 255.0f, 1.0);
    }

    static float C(uint32_t argb, int shift) { return Byte(argb, shift) / 255.0f; }

    GlTestRig Rig;
    gfx::Texture* Plain = nullptr;
};

TEST_F(GlTextureStageTest, DefaultStageModulatesColorAndTakesTextureAlpha) {
    Rgb pixel = Draw(Plain);
    ExpectBlended(pixel, C(TexelColor, 16) * C(VertexColor, 16),
                  C(TexelColor, 8) * C(VertexColor, 8), C(TexelColor, 0) * C(VertexColor, 0),
                  C(TexelColor, 24));
}

TEST_F(GlTextureStageTest, AddSaturatesColorAndAlpha) {
    SetStage(gfx::TextureOpAdd, gfx::TextureArgTexture, gfx::TextureArgDiffuse);
    Rgb pixel = Draw(Plain);
    // r: 0.25 + 0.75 = 1; alpha 0.5 + 0.25.
    ExpectBlended(pixel, 1.0f, C(TexelColor, 8) + C(VertexColor, 8),
                  C(TexelColor, 0) + C(VertexColor, 0), C(TexelColor, 24) + C(VertexColor, 24));

    // 0.75 + 0.75 saturates; green and blue show the sum unsaturated.
    SetStage(gfx::TextureOpAdd, gfx::TextureArgDiffuse, gfx::TextureArgDiffuse);
    ExpectBlended(Draw(Plain), 1.0f, 2 * C(VertexColor, 8), 2 * C(VertexColor, 0),
                  2 * C(VertexColor, 24));
}

TEST_F(GlTextureStageTest, ModulateOfTextureAndDiffuse) {
    SetStage(gfx::TextureOpModulate, gfx::TextureArgTexture, gfx::TextureArgDiffuse);
    ExpectBlended(Draw(Plain), C(TexelColor, 16) * C(VertexColor, 16),
                  C(TexelColor, 8) * C(VertexColor, 8), C(TexelColor, 0) * C(VertexColor, 0),
                  C(TexelColor, 24) * C(VertexColor, 24));
}

TEST_F(GlTextureStageTest, SelectArgumentsPickOneSource) {
    SetStage(gfx::TextureOpSelectArg2, gfx::TextureArgTexture, gfx::TextureArgDiffuse);
    ExpectBlended(Draw(Plain), C(VertexColor, 16), C(VertexColor, 8), C(VertexColor, 0),
                  C(VertexColor, 24));
    SetStage(gfx::TextureOpSelectArg1, gfx::TextureArgTexture, gfx::TextureArgDiffuse);
    ExpectBlended(Draw(Plain), C(TexelColor, 16), C(TexelColor, 8), C(TexelColor, 0),
                  C(TexelColor, 24));
}

TEST_F(GlTextureStageTest, WithoutATextureTheDiffuseColorPassesWhateverTheOperations) {
    const uint32_t ops[] = {gfx::TextureOpAdd, gfx::TextureOpModulate, gfx::TextureOpSelectArg1};
    for (uint32_t op : ops) {
        SetStage(op, gfx::TextureArgTexture, gfx::TextureArgDiffuse);
        ExpectBlended(Draw(nullptr), C(VertexColor, 16), C(VertexColor, 8), C(VertexColor, 0),
                      C(VertexColor, 24));
    }
}

TEST_F(GlTextureStageTest, DisabledStageShowsTheDiffuseColor) {
    SetStage(gfx::TextureOpDisable, gfx::TextureArgTexture, gfx::TextureArgDiffuse);
    ExpectBlended(Draw(Plain), C(VertexColor, 16), C(VertexColor, 8), C(VertexColor, 0),
                  C(VertexColor, 24));
}

TEST_F(GlTextureStageTest, StageStatesAndUnbindingLastAcrossFrames) {
    SetStage(gfx::TextureOpModulate, gfx::TextureArgTexture, gfx::TextureArgDiffuse);
    Rgb first = Draw(Plain);
    Rgb unbound = Draw(nullptr);
    Rgb again = Draw(Plain);
    EXPECT_EQ(first.g, again.g);
    EXPECT_NE(first.g, unbound.g);
}

TEST_F(GlTextureStageTest, OnlyStageZeroExists) {
    EXPECT_EQ(Rig.Device->SetTexture(1, Plain), E_FAIL);
    EXPECT_EQ(Rig.Device->SetTextureStageState(1, TextureStageState::ColorOp, 4), E_FAIL);
}

}  // namespace
