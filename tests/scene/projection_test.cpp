#include <gtest/gtest.h>

#include <cmath>

#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "scene/projection.h"

namespace {

// Normalised device x and y of a world point as seen through the scene's view and projection.
struct Projected {
    float x;
    float y;
    float w;
};

Projected Project(const BuildConstants& constants, const Vec3& point) {
    const Matrix4 view = MatrixLookAtLH(EyePosition(constants), {0, 0, 1}, {0, 1, 0});
    const Vec4 clip = Vec3Transform(point, MatrixMultiply(view, ProjectionMatrix(constants)));
    return {clip.x / clip.w, clip.y / clip.w, clip.w};
}

// Every entry to the last float step.
TEST(Projection, BannerRowsHaveNoShear) {
    const Matrix4 p = ProjectionMatrix(BannerConstants);
    EXPECT_EQ(p(0, 0), 0.97301209f);
    EXPECT_EQ(p(1, 1), 10.153170f);
    EXPECT_EQ(p(1, 0), 0.0f);
    EXPECT_TRUE(std::signbit(p(1, 0)) && std::signbit(p(1, 2)) && std::signbit(p(1, 3)));
    EXPECT_EQ(p(2, 0), std::nextafter(0.68f, 0.0f));
    EXPECT_EQ(p(2, 2), 1.0000100f);
    EXPECT_EQ(p(2, 3), 1.0f);
    EXPECT_EQ(p(3, 2), -1.0000100f);
    EXPECT_EQ(p(3, 3), 0.0f);
}

TEST(Projection, AltSecondRowCarriesTheShear) {
    const Matrix4 p = ProjectionMatrix(BannerAltConstants);
    EXPECT_EQ(p(1, 0), -1.6580112f);
    EXPECT_EQ(p(1, 2), -2.4382763f);
    EXPECT_EQ(p(1, 3), -2.438252f);
    EXPECT_EQ(p(2, 0), std::nextafter(0.68f, 0.0f));
    // 1 / tan of the half angle rounds to 17.092533, a float step below 17.092535.
    EXPECT_EQ(p(1, 1), 17.092533f);
    EXPECT_EQ(p(0, 0), 1.5846202f);
}

TEST(Projection, LineOfSightLandsAtColumn806) {
    for (const BuildConstants* constants : {&BannerConstants, &BannerAltConstants}) {
        const Projected p = Project(*constants, {0, 0, 10});
        EXPECT_NEAR(p.x, 0.68f, 1e-5f) << constants->ProgramName;
        EXPECT_NEAR(p.y, 0.0f, 1e-6f);
        EXPECT_NEAR((p.x + 1) / 2 * WindowWidth, 806.4f, 0.01f);
    }
}

TEST(Projection, AltDepthIsShearedByHeight) {
    // At height y the divisor is the depth seen from the eye minus 2.438252 y.
    const Projected p = Project(BannerAltConstants, {0, 10, 400});
    EXPECT_NEAR(p.w, 400 + 5.363059f - 2.438252f * 10, 1e-3f);
}

TEST(Projection, CameraRestFacingFollowsEyeDistance) {
    ProgramConstants = &BannerConstants;
    EXPECT_EQ(static_cast<double>(CameraRestDepth()), 413.29998779296875);
    EXPECT_NEAR(f32::atan(static_cast<float>(-200 / double{CameraRestDepth()})), -0.45069f, 1e-5f);
    ProgramConstants = &BannerAltConstants;
    EXPECT_EQ(static_cast<double>(CameraRestDepth()), 415.3630676269531);
    EXPECT_FLOAT_EQ(f32::atan(static_cast<float>(-200 / double{CameraRestDepth()})),
                    static_cast<float>(std::atan(-200 / 415.36307)));
    ProgramConstants = &BannerConstants;
}

}  // namespace
