#include <gtest/gtest.h>

#include <cmath>

#include "geometry/matrix_math.h"
#include "geometry/vertex.h"

namespace {

void ExpectNear(const Vec4& actual, float x, float y, float z, float w, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
    EXPECT_NEAR(actual.w, w, tolerance);
}

TEST(MatrixMath, TranslationStoresOffsetInFourthRow) {
    const Matrix4 m = MatrixTranslation(1, 2, 3);
    EXPECT_EQ(m(3, 0), 1.0f);
    EXPECT_EQ(m(3, 1), 2.0f);
    EXPECT_EQ(m(3, 2), 3.0f);
    ExpectNear(Vec3Transform({10, 20, 30}, m), 11, 22, 33, 1);
}

TEST(MatrixMath, RotationsTurnAxesLeftHanded) {
    const float quarter = 1.5707964f;
    // Row-vector forms: x to y about z, y to z about x, z to x about y.
    ExpectNear(Vec3Transform({1, 0, 0}, MatrixRotationZ(quarter)), 0, 1, 0, 1);
    ExpectNear(Vec3Transform({0, 1, 0}, MatrixRotationX(quarter)), 0, 0, 1, 1);
    ExpectNear(Vec3Transform({0, 0, 1}, MatrixRotationY(quarter)), 1, 0, 0, 1);
    EXPECT_EQ(MatrixRotationX(0.0f), Matrix4::Identity());
}

TEST(MatrixMath, MultiplyAppliesLeftFactorFirst) {
    const Matrix4 rotate = MatrixRotationZ(1.5707964f);
    const Matrix4 move = MatrixTranslation(5, 0, 0);
    // Rotate then move: (1,0,0) -> (0,1,0) -> (5,1,0). The other order gives (0,6,0).
    ExpectNear(Vec3Transform({1, 0, 0}, MatrixMultiply(rotate, move)), 5, 1, 0, 1);
    ExpectNear(Vec3Transform({1, 0, 0}, MatrixMultiply(move, rotate)), 0, 6, 0, 1);
}

TEST(MatrixMath, LookAtMovesEyeToOriginLookingDownZ) {
    const Vec3 eye{0.0f, -0.0f, -3.3f};
    const Matrix4 view = MatrixLookAtLH(eye, {0, 0, 1}, {0, 1, 0});
    ExpectNear(Vec3Transform(eye, view), 0, 0, 0, 1);
    ExpectNear(Vec3Transform({2, 3, 10}, view), 2, 3, 13.3f, 1);
}

TEST(MatrixMath, NormaliseGivesUnitLengthAndKeepsZero) {
    const Vec3 n = Vec3Normalize({0, -1, 1});
    EXPECT_FLOAT_EQ(n.y, -0.70710677f);
    EXPECT_FLOAT_EQ(n.z, 0.70710677f);
    EXPECT_EQ(Vec3Normalize({0, 0, 0}), Vec3(0, 0, 0));
}

TEST(MatrixMath, TransformKeepsHomogeneousW) {
    Matrix4 projective = Matrix4::Identity();
    projective(2, 3) = 1.0f;
    projective(3, 3) = 0.0f;
    ExpectNear(Vec3Transform({1, 2, 4}, projective), 1, 2, 4, 4);
}

TEST(VectorOps, CrossFollowsRightHandRule) {
    EXPECT_EQ(Cross({1, 0, 0}, {0, 1, 0}), Vec3(0, 0, 1));
    EXPECT_EQ(Cross({0, 1, 0}, {0, 0, 1}), Vec3(1, 0, 0));
}

TEST(VertexLayout, ArraysOccupyThirtySixBytesPerVertex) {
    Vertex vertices[7];
    EXPECT_EQ(sizeof(vertices), 7u * 36u);
    EXPECT_EQ(VertexBytes(400), 14400u);
}

}  // namespace
