#include <gtest/gtest.h>

#include "tests/platform/gl/gl_test_rig.h"

// Blending, clockwise culling, LESSEQUAL depth and the clear, as seen in presented frames.
namespace {

using gfx::RenderState;
using gl_testing::ClockwiseSquare;
using gl_testing::GlTestRig;
using gl_testing::Rgb;
using gl_testing::Square;

constexpr uint32_t Red = 0xFFFF0000u;
constexpr uint32_t Green = 0xFF00FF00u;
constexpr uint32_t Blue = 0xFF0000FFu;

class GlOutputMergerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Rig.Ready()) << Rig.Error;
        Rig.UsePlainState();
        gfx::Device* device = Rig.Device;
        device->SetRenderState(RenderState::ZEnable, 1);
        device->SetRenderState(RenderState::ZWriteEnable, 1);
        device->SetRenderState(RenderState::ZFunc, gfx::CompareLessEqual);
    }

    Rgb Centre() { return Rig.PresentAndRead().At(32, 32); }

    GlTestRig Rig;
};

TEST_F(GlOutputMergerTest, SourceAlphaBlendsOverTheTarget) {
    Rig.Device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    Rig.Device->SetRenderState(RenderState::SrcBlend, gfx::BlendSrcAlpha);
    Rig.Device->SetRenderState(RenderState::DestBlend, gfx::BlendInvSrcAlpha);
    Rig.Device->SetRenderState(RenderState::BlendOp, gfx::BlendOpAdd);
    Rig.ClearTo(0xFF0000C0u);
    Rig.DrawStrip(Square(0.5f, 0x40FF8000u));
    Rgb pixel = Centre();
    float a = 64.0f / 255.0f;
    EXPECT_NEAR(pixel.r, 255.0f * a, 1.0);
    EXPECT_NEAR(pixel.g, 128.0f * a, 1.0);
    EXPECT_NEAR(pixel.b, 192.0f * (1.0f - a), 1.0);
}

TEST_F(GlOutputMergerTest, BlendingOffWritesTheSourceWhateverItsAlpha) {
    Rig.ClearTo(0xFF0000C0u);
    Rig.DrawStrip(Square(0.5f, 0x10FF8000u));
    Rgb pixel = Centre();
    EXPECT_EQ(pixel.r, 255);
    EXPECT_EQ(pixel.b, 0);
}

TEST_F(GlOutputMergerTest, ClockwiseCullingRemovesClockwiseStripsOnly) {
    Rig.Device->SetRenderState(RenderState::CullMode, gfx::CullClockwise);
    Rig.DrawStrip(ClockwiseSquare(0.5f, Red));
    EXPECT_EQ(Centre().r, 0);

    Rig.ClearTo(0xFF000000u);
    Rig.DrawStrip(Square(0.5f, Green));
    EXPECT_EQ(Centre().g, 255);

    Rig.ClearTo(0xFF000000u);
    Rig.Device->SetRenderState(RenderState::CullMode, gfx::CullCounterClockwise);
    Rig.DrawStrip(Square(0.5f, Green));
    Rig.DrawStrip(ClockwiseSquare(0.6f, Red));
    Rgb pixel = Centre();
    EXPECT_EQ(pixel.g, 0);
    EXPECT_EQ(pixel.r, 255);
}

TEST_F(GlOutputMergerTest, EqualDepthDrawsAndFartherDoesNot) {
    Rig.DrawStrip(Square(0.5f, Red));
    Rig.DrawStrip(Square(0.5f, Green));
    EXPECT_EQ(Centre().g, 255);

    Rig.DrawStrip(Square(0.7f, Blue));
    Rgb pixel = Centre();
    EXPECT_EQ(pixel.g, 255);
    EXPECT_EQ(pixel.b, 0);

    Rig.DrawStrip(Square(0.3f, Blue));
    EXPECT_EQ(Centre().b, 255);
}

TEST_F(GlOutputMergerTest, DepthBeyondTheFarPlaneOrBeforeTheNearIsClipped) {
    Rig.DrawStrip(Square(1.2f, Red));
    Rig.DrawStrip(Square(-0.2f, Green));
    Rgb pixel = Centre();
    EXPECT_EQ(pixel.r, 0);
    EXPECT_EQ(pixel.g, 0);
}

TEST_F(GlOutputMergerTest, ClearResetsDepthEvenWithDepthWritesOff) {
    Rig.DrawStrip(Square(0.2f, Red));
    Rig.Device->SetRenderState(RenderState::ZWriteEnable, 0);
    Rig.ClearTo(0xFF000000u);
    Rig.DrawStrip(Square(0.7f, Green));
    EXPECT_EQ(Centre().g, 255);
}

TEST_F(GlOutputMergerTest, DepthWritesOffLeaveLaterDrawsUnblocked) {
    Rig.Device->SetRenderState(RenderState::ZWriteEnable, 0);
    Rig.DrawStrip(Square(0.2f, Red));
    Rig.DrawStrip(Square(0.7f, Green));
    EXPECT_EQ(Centre().g, 255);
}

TEST_F(GlOutputMergerTest, ClearFillsTheWholeTargetWithTheColor) {
    Rig.ClearTo(0xFF336699u);
    gl_testing::Frame frame = Rig.PresentAndRead();
    for (int y : {0, 31, 63}) {
        for (int x : {0, 40, 63}) {
            Rgb pixel = frame.At(x, y);
            EXPECT_EQ(pixel.r, 0x33);
            EXPECT_EQ(pixel.g, 0x66);
            EXPECT_EQ(pixel.b, 0x99);
        }
    }
}

}  // namespace
