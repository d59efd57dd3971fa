#include <gtest/gtest.h>

#include "geometry/bezier_path.h"

namespace {

const BezierPath Line(0, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 1000);
const BezierPath Curve(-20, -1, 90, -120, -1, 90, 60, 0, 60, -100, 0, 110, 10000);

TEST(BezierPath, EndsAreExactControlPoints) {
    EXPECT_EQ(Curve.GetPoint(0.0f), *Curve.GetP0());
    EXPECT_EQ(Curve.GetPoint(1.0f), *Curve.GetP3());
}

TEST(BezierPath, EvenlySpacedLineIsLinearInParameter) {
    EXPECT_EQ(Line.GetPoint(0.5f), Vec3(1.5f, 0, 0));
    for (float t : {-1.0f, 0.0f, 0.3f, 1.0f, 2.5f}) {
        const Vec3 tangent = Line.GetTangent(t);
        EXPECT_FLOAT_EQ(tangent.x, 1.0f) << t;
        EXPECT_EQ(tangent.y, 0.0f);
    }
}

TEST(BezierPath, TangentIsOneThirdOfDerivative) {
    EXPECT_EQ(Curve.GetTangent(0.0f), *Curve.GetP1() - *Curve.GetP0());
    EXPECT_EQ(Curve.GetTangent(1.0f), *Curve.GetP3() - *Curve.GetP2());
    // Central difference of the curve against three tangents.
    const float t = 0.37f;
    const float h = 1e-3f;
    const Vec3 ahead = Curve.GetPoint(t + h);
    const Vec3 behind = Curve.GetPoint(t - h);
    const Vec3 tangent = Curve.GetTangent(t);
    EXPECT_NEAR((ahead.x - behind.x) / (2 * h), 3 * tangent.x, 0.5f);
    EXPECT_NEAR((ahead.z - behind.z) / (2 * h), 3 * tangent.z, 0.5f);
}

TEST(BezierPath, ExtrapolatesBeyondUnitInterval) {
    const Vec3 beyond = Line.GetPoint(2.0f);
    EXPECT_FLOAT_EQ(beyond.x, 6.0f);
    const Vec3 before = Line.GetPoint(-1.0f);
    EXPECT_FLOAT_EQ(before.x, -3.0f);
}

TEST(BezierPath, NormalIsTangentCrossUp) {
    const Vec3 up{0, 0, 1};
    EXPECT_EQ(Line.GetNormal(0.5f, &up), Vec3(0, -1, 0));
    const Vec3 along{1, 0, 0};
    EXPECT_EQ(Line.GetNormal(0.5f, &along), Vec3(0, 0, 0));
}

TEST(BezierPath, DefaultAndCopies) {
    const BezierPath empty;
    EXPECT_EQ(empty.GetDuration(), 0u);
    EXPECT_EQ(empty.GetPoint(0.7f), Vec3(0, 0, 0));
    BezierPath copy = Curve;
    copy.SetDuration(5);
    EXPECT_EQ(Curve.GetDuration(), 10000u);
    EXPECT_EQ(copy.GetPoint(0.25f), Curve.GetPoint(0.25f));
}

}  // namespace
