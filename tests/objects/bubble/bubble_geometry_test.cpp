#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/objects/bubble/bubble_fixture.h"
#include "tests/support/strip_winding.h"

namespace bubble_test {
namespace {

constexpr uint32_t ShellVertices = 128 * 128;
constexpr uint32_t BandVertices = 128;

float Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }

bool AtPole(const Vec3& p, float x) {
    return std::fabs(p.x - x) < 1e-5f && std::fabs(p.y) < 1e-5f && std::fabs(p.z) < 1e-5f;
}

TEST_F(BubbleTest, CreatesAQuadAndTwoShellBuffersWithRoomToSpare) {
    ASSERT_EQ(Bubble.Create(), S_OK);
    ASSERT_EQ(Device.VertexBuffers().size(), 3u);
    EXPECT_EQ(Buffer(Quad).Length(), 144u);
    EXPECT_EQ(Buffer(OuterShell).Length(), 2359296u);
    EXPECT_EQ(Buffer(InnerShell).Length(), 2359296u);
    for (const RecordingVertexBuffer* buffer : Device.VertexBuffers()) {
        EXPECT_EQ(buffer->Format, VertexFormat);
        EXPECT_EQ(buffer->Usage, 0u);
        EXPECT_FALSE(buffer->Locked);
    }
    EXPECT_EQ(Bubble.GetOuterShellBuffer(), &Buffer(OuterShell));
    EXPECT_EQ(Bubble.GetInnerShellBuffer(), &Buffer(InnerShell));
    EXPECT_EQ(Bubble.GetBurstBuffer(), &Buffer(Quad));
}

TEST_F(BubbleTest, ShellsAreConcentricSpheresWithOpposedNormals) {
    ASSERT_EQ(Bubble.Create(), S_OK);
    const float innerRadius = 10.0f - Thickness;
    for (uint32_t v = 0; v < ShellVertices; ++v) {
        const Vertex& outer = Buffer(OuterShell).At(v);
        const Vertex& inner = Buffer(InnerShell).At(v);
        ASSERT_NEAR(Length(outer.Position), 10.0f, 1e-5) << v;
        ASSERT_NEAR(Length(inner.Position), innerRadius, 1e-5) << v;
        // Same direction from the centre on both shells.
        ASSERT_NEAR(Dot(outer.Position, inner.Position), 10.0f * innerRadius, 1e-3) << v;
        ASSERT_NEAR(Dot(outer.Normal, outer.Position), -10.0f, 1e-5) << v;
        ASSERT_NEAR(Dot(inner.Normal, inner.Position), innerRadius, 1e-5) << v;
        ASSERT_EQ(outer.Diffuse, OuterColor);
        ASSERT_EQ(inner.Diffuse, InnerColor);
        ASSERT_NEAR(outer.U, (outer.Position.x / 10 + 1) / 2, 1e-6);
        ASSERT_NEAR(inner.V, (1 - inner.Position.y / innerRadius) / 2, 1e-6);
    }
    // Nothing is written past the n^2 vertices.
    const Vertex& beyond = Buffer(OuterShell).At(ShellVertices);
    EXPECT_EQ(beyond.Position, Vec3());
    EXPECT_EQ(beyond.Diffuse, 0u);
}

TEST_F(BubbleTest, BandsRunPoleToPoleAndJoinAtThePoles) {
    ASSERT_EQ(Bubble.Create(), S_OK);
    const RecordingVertexBuffer& outer = Buffer(OuterShell);
    for (uint32_t band = 0; band < 128; ++band) {
        const Vec3& first = outer.At(band * BandVertices).Position;
        const Vec3& last = outer.At(band * BandVertices + BandVertices - 1).Position;
        // Even bands run from -x to +x, odd ones back.
        const float start = band % 2 == 0 ? -10.0f : 10.0f;
        EXPECT_TRUE(AtPole(first, start)) << band;
        EXPECT_TRUE(AtPole(last, -start)) << band;
        if (band + 1 < 128) {
            // The next band starts at the pole where this one ended (to within the rounding of
            // sin(pi)): the join's triangles are degenerate.
            EXPECT_TRUE(AtPole(outer.At((band + 1) * BandVertices).Position, -start)) << band;
        }
    }
    // Band 0 lies between the meridians at 0 and pi/64 around x; the first of each pair is on
    // the far one.
    const Vec3& a = outer.At(1).Position;
    const Vec3& b = outer.At(2).Position;
    EXPECT_NEAR(std::atan2(a.z, a.y), 3.14159265f / 64, 1e-5);
    EXPECT_NEAR(std::atan2(b.z, b.y), 0.0f, 1e-6);
}

// Both shells wind to be seen from inside: from outside only their far halves show, the outer
// one lit on the side its inward normals face.
TEST_F(BubbleTest, BothShellsWindTowardsTheCentre) {
    ASSERT_EQ(Bubble.Create(), S_OK);
    const uint32_t drawn = ShellVertices - 8;
    EXPECT_EQ(testing_support::CountHiddenTriangles(Buffer(OuterShell).Vertices(), drawn), 0u);
    std::vector<Vertex> inner(Buffer(InnerShell).Vertices(),
                              Buffer(InnerShell).Vertices() + ShellVertices);
    for (Vertex& vertex : inner) {
        vertex.Normal = Vec3() - vertex.Normal;
    }
    EXPECT_EQ(testing_support::CountHiddenTriangles(inner.data(), drawn), 0u);
}

TEST_F(BubbleTest, BurstQuadIsABlackSquareOfTheBurstSize) {
    ASSERT_EQ(Bubble.Create(), S_OK);
    const Vec3 corners[4] = {{20, 20, 0}, {-20, 20, 0}, {20, -20, 0}, {-20, -20, 0}};
    const float uv[4][2] = {{1, 0}, {0, 0}, {1, 1}, {0, 1}};
    for (uint32_t v = 0; v < 4; ++v) {
        const Vertex& vertex = Buffer(Quad).At(v);
        EXPECT_EQ(vertex.Position, corners[v]);
        EXPECT_EQ(vertex.Normal, Vec3(0, 0, -1));
        EXPECT_EQ(vertex.Diffuse, 0u);
        EXPECT_EQ(vertex.U, uv[v][0]);
        EXPECT_EQ(vertex.V, uv[v][1]);
    }
}

}  // namespace
}  // namespace bubble_test
