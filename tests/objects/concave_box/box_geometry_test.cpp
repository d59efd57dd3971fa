#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/objects/concave_box/box_fixture.h"
#include "tests/support/strip_winding.h"

namespace box_test {
namespace {

using testing_support::CountHiddenTriangles;

constexpr float R = 10.0f;
constexpr float S = 30.0f;

float Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }

TEST_F(BoxTest, CreatesFiveBuffersOfTheirFixedLengths) {
    ASSERT_EQ(Box.Create(), S_OK);
    ASSERT_EQ(Device.VertexBuffers().size(), 5u);
    EXPECT_EQ(Buffer(Glow).Length(), 144u);
    EXPECT_EQ(Buffer(FrontFace).Length(), 18504u);
    EXPECT_EQ(Buffer(Hollow).Length(), 4737024u);
    EXPECT_EQ(Buffer(Wall).Length(), 360u);
    EXPECT_EQ(Buffer(BackFace).Length(), 144u);
    for (const RecordingVertexBuffer* buffer : Device.VertexBuffers()) {
        EXPECT_EQ(buffer->Format, VertexFormat);
        EXPECT_EQ(buffer->Usage, 0u);
        EXPECT_FALSE(buffer->Locked);
    }
    EXPECT_EQ(Box.GetGlowBuffer(), &Buffer(Glow));
    EXPECT_EQ(Box.GetHollowBuffer(), &Buffer(Hollow));
}

TEST_F(BoxTest, FrontFaceJoinsTheOpeningToTheSquareOnceRound) {
    ASSERT_EQ(Box.Create(), S_OK);
    const RecordingVertexBuffer& front = Buffer(FrontFace);
    // First and last pairs: angle -pi/4 and 7 pi/4.
    for (uint32_t first : {0u, 512u}) {
        EXPECT_NEAR(front.At(first).Position.x, R * 0.70710678f, 1e-5);
        EXPECT_NEAR(front.At(first).Position.y, -R * 0.70710678f, 1e-5);
        EXPECT_NEAR(front.At(first + 1).Position.x, S, 1e-4);
        EXPECT_NEAR(front.At(first + 1).Position.y, -S, 1e-4);
    }
    for (uint32_t k = 0; k <= 256; ++k) {
        const Vertex& circle = front.At(2 * k);
        const Vertex& square = front.At(2 * k + 1);
        EXPECT_NEAR(Length(circle.Position), R, 1e-5);
        EXPECT_NEAR(std::max(std::fabs(square.Position.x), std::fabs(square.Position.y)), S, 1e-4);
        // The square vertex lies on the ray through the circle vertex.
        EXPECT_NEAR(Cross(circle.Position, square.Position).z, 0.0f, 2e-3) << k;
        EXPECT_GT(Dot(circle.Position, square.Position), 0.0f);
        for (const Vertex* v : {&circle, &square}) {
            EXPECT_EQ(v->Position.z, 0.0f);
            EXPECT_EQ(v->Normal, Vec3(0, 0, -1));
            EXPECT_NEAR(v->U, (v->Position.x / S + 1) / 2, 1e-6);
            EXPECT_NEAR(v->V, (1 - v->Position.y / S) / 2, 1e-6);
        }
        EXPECT_EQ(circle.Diffuse, Inner);
        EXPECT_EQ(square.Diffuse, Outer);
    }
    // The top run starts a quarter turn on: pair 65 is the first one past pi/4.
    EXPECT_EQ(front.At(2 * 64 + 1).U, 1.0f);
    EXPECT_EQ(front.At(2 * 65 + 1).V, 0.0f);
}

TEST_F(BoxTest, HollowIsAnInwardFacingHemisphereOfBandsBetweenThePoles) {
    ASSERT_EQ(Box.Create(), S_OK);
    const RecordingVertexBuffer& hollow = Buffer(Hollow);
    const uint32_t written = 256 * 256 / 2;
    for (uint32_t v = 0; v < written; ++v) {
        const Vertex& vertex = hollow.At(v);
        const Vec3& p = vertex.Position;
        ASSERT_NEAR(Dot(p, p), R * R, 1e-3) << v;
        // sin(float pi) is a hair below zero: the last meridian may dip by that much.
        ASSERT_GE(p.z, -1e-5f) << v;
        ASSERT_NEAR(Length(vertex.Normal), 1.0f, 1e-6) << v;
        ASSERT_NEAR(Dot(vertex.Normal, p), -R, 1e-4) << v;
        ASSERT_EQ(vertex.Diffuse, Inner);
    }
    // 128 bands of 256 vertices, meeting at alternate poles.
    const auto near = [](const Vec3& p, float x) {
        return std::fabs(p.x - x) < 1e-5f && std::fabs(p.y) < 1e-5f && std::fabs(p.z) < 1e-5f;
    };
    EXPECT_TRUE(near(hollow.At(0).Position, -R));
    EXPECT_TRUE(near(hollow.At(255).Position, R));
    EXPECT_TRUE(near(hollow.At(256).Position, R));
    EXPECT_TRUE(near(hollow.At(511).Position, -R));
    // Band 127 runs back, like band 1.
    EXPECT_TRUE(near(hollow.At(written - 1).Position, -R));
    // Band 0 lies between the meridians at 0 and pi/128 around x.
    const Vec3& second = hollow.At(1).Position;
    const Vec3& third = hollow.At(2).Position;
    EXPECT_NEAR(std::atan2(second.z, second.y), 3.14159265f / 128, 1e-5);
    EXPECT_NEAR(std::atan2(third.z, third.y), 0.0f, 1e-6);
}

TEST_F(BoxTest, EveryStripFacesOutOfTheSolid) {
    ASSERT_EQ(Box.Create(), S_OK);
    EXPECT_EQ(CountHiddenTriangles(Buffer(FrontFace).Vertices(), 512), 0u);
    EXPECT_EQ(CountHiddenTriangles(Buffer(Hollow).Vertices(), 128 * 256 - 2), 0u);
    EXPECT_EQ(CountHiddenTriangles(Buffer(Wall).Vertices(), 8), 0u);
    EXPECT_EQ(CountHiddenTriangles(Buffer(BackFace).Vertices(), 2), 0u);
    EXPECT_EQ(CountHiddenTriangles(Buffer(Glow).Vertices(), 2), 0u);
}

TEST_F(BoxTest, WallsAndBackHaveCornerDiagonalNormals) {
    ASSERT_EQ(Box.Create(), S_OK);
    const float third = 1.0f / std::sqrt(3.0f);
    for (BufferIndex index : {Wall, BackFace}) {
        const RecordingVertexBuffer& buffer = Buffer(index);
        for (uint32_t v = 0; v < buffer.VertexCapacity(); ++v) {
            const Vertex& vertex = buffer.At(v);
            EXPECT_EQ(std::fabs(vertex.Position.x), S);
            EXPECT_EQ(std::fabs(vertex.Position.y), S);
            EXPECT_TRUE(vertex.Position.z == 0.0f || vertex.Position.z == 2 * S);
            // The normal points along the corner's diagonal from the cube's centre (0, 0, s).
            const Vec3 diagonal{vertex.Position.x, vertex.Position.y, vertex.Position.z - S};
            EXPECT_NEAR(vertex.Normal.x, diagonal.x / S * third, 1e-6);
            EXPECT_NEAR(vertex.Normal.y, diagonal.y / S * third, 1e-6);
            EXPECT_NEAR(vertex.Normal.z, diagonal.z / S * third, 1e-6);
            EXPECT_EQ(vertex.Diffuse, Outer);
        }
    }
    EXPECT_EQ(Buffer(Wall).At(8).Position, Buffer(Wall).At(0).Position);
    EXPECT_EQ(Buffer(Wall).At(8).U, 1.0f);
    EXPECT_EQ(Buffer(Wall).At(5).U, 0.5f);
    EXPECT_EQ(Buffer(Wall).At(5).V, 1.0f);
    EXPECT_EQ(Buffer(BackFace).At(3).Position.z, 60.0f);
}

TEST_F(BoxTest, GlowQuadIsATransparentYellowSquareOfTheLightDistance) {
    ASSERT_EQ(Box.Create(), S_OK);
    const RecordingVertexBuffer& glow = Buffer(Glow);
    const Vec3 corners[4] = {{40, 40, 0}, {-40, 40, 0}, {40, -40, 0}, {-40, -40, 0}};
    const float uv[4][2] = {{1, 0}, {0, 0}, {1, 1}, {0, 1}};
    for (uint32_t v = 0; v < 4; ++v) {
        EXPECT_EQ(glow.At(v).Position, corners[v]);
        EXPECT_EQ(glow.At(v).Normal, Vec3(0, 0, -1));
        EXPECT_EQ(glow.At(v).Diffuse, 0x00FFFF00u);
        EXPECT_EQ(glow.At(v).U, uv[v][0]);
        EXPECT_EQ(glow.At(v).V, uv[v][1]);
    }
}

}  // namespace
}  // namespace box_test
