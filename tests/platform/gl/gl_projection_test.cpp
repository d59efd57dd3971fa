#include <gtest/gtest.h>

#include <cmath>

#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "tests/platform/gl/gl_test_rig.h"

// The banner's off-centre projection in a 960 x 92 target, with Direct3D's clip depth mapped by
// GL (clip control) and by the shader.
namespace {

using gl_testing::Frame;
using gl_testing::GlTestRig;
using gl_testing::Square;

// k shifts the line of sight sideways: the banner's 0.68 puts it at column 806.
Matrix4 BannerProjection(float k = 0.68f) {
    float a = 92.0f / 960.0f;
    float t = 1.0f / f32::tan(0.09817477f);
    float q = 100000.0f / (100000.0f - 1.0f);
    float s = -0.0f;
    return {a * t, 0, 0,     0,  //
            s * k, t, s * q, s,  //
            k,     0, q,     1,  //
            0,     0, -q,    0};
}

gfx::GlGraphicsSystem::Options WithClipControl(bool use) {
    gfx::GlGraphicsSystem::Options options;
    options.Device.UseClipControl = use;
    return options;
}

class GlProjectionTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        ASSERT_TRUE(Rig.Ready()) << Rig.Error;
        Rig.UsePlainState();
        Rig.Device->SetRenderState(gfx::RenderState::CullMode, gfx::CullClockwise);
        Matrix4 view = MatrixLookAtLH({0.0f, -0.0f, -3.3f}, {0.0f, 0.0f, 1.0f}, {0, 1, 0});
        Matrix4 projection = BannerProjection();
        Rig.Device->SetTransform(gfx::TransformState::View, &view);
        Rig.Device->SetTransform(gfx::TransformState::Projection, &projection);
    }

    void DrawAt(float x, float y, float z, uint32_t color, float half) {
        Matrix4 world = MatrixTranslation(x, y, z);
        Rig.Device->SetTransform(gfx::TransformState::World, &world);
        ASSERT_EQ(Rig.DrawStrip(Square(0.0f, color, half)), S_OK);
    }

    GlTestRig Rig{960, 92, WithClipControl(GetParam())};
};

// Mean position of the pixels whose red channel is lit; -1, -1 when none is.
struct RedSpot {
    double X = -1;
    double Y = -1;
    int Count = 0;
};

RedSpot RedCentroid(const Frame& frame) {
    double sx = 0;
    double sy = 0;
    RedSpot spot;
    for (int row = 0; row < frame.Height; ++row) {
        for (int column = 0; column < frame.Width; ++column) {
            if (frame.At(column, row).r > 128) {
                sx += column;
                sy += row;
                ++spot.Count;
            }
        }
    }
    if (spot.Count > 0) {
        spot.X = sx / spot.Count;
        spot.Y = sy / spot.Count;
    }
    return spot;
}

TEST_P(GlProjectionTest, LineOfSightLandsAtColumn806OnTheVerticalCentre) {
    DrawAt(0.0f, 0.0f, 10.0f, 0xFFFF0000u, 0.1f);
    Frame frame = Rig.PresentAndRead();
    ASSERT_EQ(frame.Width, 960);
    ASSERT_EQ(frame.Height, 92);
    const RedSpot spot = RedCentroid(frame);
    ASSERT_GT(spot.Count, 4);
    EXPECT_NEAR(spot.X, 806.0, 1.0);
    EXPECT_NEAR(spot.Y, 45.5, 1.0);
}

TEST_P(GlProjectionTest, UpIsUpAndRightIsRight) {
    DrawAt(1.0f, 0.5f, 10.0f, 0xFFFF0000u, 0.1f);
    Frame frame = Rig.PresentAndRead();
    const RedSpot spot = RedCentroid(frame);
    ASSERT_GT(spot.Count, 4);
    EXPECT_GT(spot.X, 830.0);
    EXPECT_LT(spot.Y, 40.0);
}

// A projection set between two draws applies to the second one and only to it.
TEST_P(GlProjectionTest, AProjectionSetBetweenDrawsMovesOnlyTheLaterOne) {
    DrawAt(0.0f, 0.0f, 10.0f, 0xFF0000FFu, 0.1f);
    Matrix4 centred = BannerProjection(0.0f);
    Rig.Device->SetTransform(gfx::TransformState::Projection, &centred);
    DrawAt(0.0f, 0.0f, 10.0f, 0xFFFF0000u, 0.1f);
    Frame frame = Rig.PresentAndRead();
    const RedSpot spot = RedCentroid(frame);
    ASSERT_GT(spot.Count, 4);
    EXPECT_NEAR(spot.X, 479.5, 1.0);
    EXPECT_EQ(frame.At(806, 45).b, 255);
}

TEST_P(GlProjectionTest, NearerSurfaceWinsWhateverTheDrawingOrder) {
    DrawAt(0.0f, 0.0f, 10.0f, 0xFFFF0000u, 0.5f);
    DrawAt(0.0f, 0.0f, 10.001f, 0xFF0000FFu, 0.5f);
    DrawAt(0.0f, 0.0f, 10.0f, 0xFF00FF00u, 0.5f);  // equal depth passes
    gl_testing::Rgb pixel = Rig.PresentAndRead().At(806, 46);
    EXPECT_EQ(pixel.g, 255);
    EXPECT_EQ(pixel.b, 0);
}

INSTANTIATE_TEST_SUITE_P(DepthMapping, GlProjectionTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "ClipControl" : "ShaderMapping";
                         });

}  // namespace
