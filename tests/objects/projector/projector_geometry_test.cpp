#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "tests/objects/projector/projector_fixture.h"

namespace projector_test {
namespace {

using testing_support::RecordingVertexBuffer;

constexpr float Tolerance = 1e-5f;

void ExpectPosition(const Vertex& v, const Vec3& expected) {
    EXPECT_NEAR(v.Position.x, expected.x, Tolerance);
    EXPECT_NEAR(v.Position.y, expected.y, Tolerance);
    EXPECT_NEAR(v.Position.z, expected.z, Tolerance);
}

void ExpectNormal(const Vertex& v, const Vec3& expected) { EXPECT_EQ(v.Normal, expected); }

class ProjectorGeometry : public ProjectorTest {
protected:
    void SetUp() override {
        ProjectorTest::SetUp();
        projector = SceneProjector();
        ASSERT_EQ(projector->Create(), S_OK);
    }

    // Vertices 2j and 2j + 1 of a can buffer.
    const Vertex& First(int buffer, uint32_t j) const { return Buffer(buffer).At(2 * j); }
    const Vertex& Second(int buffer, uint32_t j) const { return Buffer(buffer).At(2 * j + 1); }

    std::unique_ptr<ObjectProjector> projector;
};

TEST_F(ProjectorGeometry, CreatesElevenBuffersOfTheSceneSizesAndTheBeamTexture) {
    const uint32_t lengths[] = {216, 18504, 18504, 18504, 18504, 18504, 18504, 216, 216, 216, 216};
    ASSERT_EQ(device.VertexBuffers().size(), 11u);
    for (int b = 0; b < 11; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(Buffer(b).Length(), lengths[b]);
        EXPECT_EQ(Buffer(b).Usage, 0u);
        EXPECT_EQ(Buffer(b).Format, VertexFormat);
        EXPECT_FALSE(Buffer(b).Locked);
    }
    ASSERT_EQ(device.Textures().size(), 1u);
    EXPECT_EQ(BeamTexture().Width(), 128u);
    EXPECT_EQ(BeamTexture().Height(), 128u);
    EXPECT_EQ(BeamTexture().Usage, gfx::UsageDynamic);
    EXPECT_FALSE(BeamTexture().Locked);
    EXPECT_EQ(projector->GetLightIndex(), 1u);
    EXPECT_EQ(NextLightIndex, 2);
}

TEST_F(ProjectorGeometry, CanHasTheSceneRadiiDepthsAndLens) {
    // Step 0 lies on +x.
    ExpectPosition(First(OuterWall, 0), {15, 0, 0});
    ExpectPosition(Second(OuterWall, 0), {15, 0, 25});
    ExpectPosition(First(FrontRing, 0), {13.5f, 0, 0});
    ExpectPosition(Second(FrontRing, 0), {15, 0, 0});
    ExpectPosition(First(BackCap, 0), {15, 0, 25});
    ExpectPosition(Second(BackCap, 0), {0, 0, 25});
    ExpectPosition(First(InnerWall, 0), {13.5f, 0, 22.5f});
    ExpectPosition(Second(InnerWall, 0), {13.5f, 0, 0});
    ExpectPosition(First(InnerBack, 0), {0, 0, 22.5f});
    ExpectPosition(Second(InnerBack, 0), {13.5f, 0, 22.5f});
    ExpectPosition(First(Lens, 0), {0, 0, 2.5f});
    ExpectPosition(Second(Lens, 0), {13.5f, 0, 2.5f});
    // A quarter turn later the can is on +y.
    ExpectPosition(First(OuterWall, 64), {0, 15, 0});
    ExpectPosition(Second(InnerWall, 64), {0, 13.5f, 0});
    EXPECT_NEAR(First(FrontRing, 64).V, (1 - 13.5f / 15) / 2, Tolerance);
    EXPECT_NEAR(Second(FrontRing, 64).V, 0.0f, Tolerance);
}

TEST_F(ProjectorGeometry, WallsFaceOutAndInAndDiscsFaceTheOpening) {
    for (uint32_t j = 0; j <= SegmentCount; ++j) {
        SCOPED_TRACE(j);
        const Vertex& outer = First(OuterWall, j);
        const Vertex& inner = First(InnerWall, j);
        EXPECT_NEAR(outer.Normal.x * 15, outer.Position.x, Tolerance);
        EXPECT_NEAR(outer.Normal.y * 15, outer.Position.y, Tolerance);
        EXPECT_NEAR(inner.Normal.x * -13.5f, inner.Position.x, Tolerance);
        EXPECT_NEAR(inner.Normal.y * -13.5f, inner.Position.y, Tolerance);
        for (int b : {FrontRing, InnerBack, Lens}) {
            ExpectNormal(First(b, j), {0, 0, -1});
            ExpectNormal(Second(b, j), {0, 0, -1});
        }
        ExpectNormal(First(BackCap, j), {0, 0, 1});
        EXPECT_EQ(First(OuterWall, j).U, Second(OuterWall, j).U);
    }
}

TEST_F(ProjectorGeometry, OnlyTheLensHasTheLightColour) {
    for (int b : {OuterWall, FrontRing, BackCap, InnerWall, InnerBack, Lens}) {
        const uint32_t expected = b == Lens ? LightColor : BodyColor;
        const RecordingVertexBuffer& buffer = Buffer(b);
        for (uint32_t v = 0; v < buffer.VertexCapacity(); ++v) {
            ASSERT_EQ(buffer.At(v).Diffuse, expected) << "buffer " << b << " vertex " << v;
        }
    }
}

TEST_F(ProjectorGeometry, CanStripsAreClosed) {
    for (int b : {OuterWall, FrontRing, BackCap, InnerWall, InnerBack, Lens}) {
        SCOPED_TRACE(b);
        ExpectPosition(First(b, SegmentCount), First(b, 0).Position);
        ExpectPosition(Second(b, SegmentCount), Second(b, 0).Position);
    }
    EXPECT_EQ(First(OuterWall, 0).U, 0.0f);
    EXPECT_EQ(First(OuterWall, SegmentCount).U, 1.0f);
}

TEST_F(ProjectorGeometry, FlapsFlareByFiveAndAreDrawnFromBothSides) {
    struct Flap {
        int Buffer;
        Vec3 Corners[4];
        Vec3 Inward;
    };
    const Flap flaps[] = {
        {TopDoor, {{-15, 15, 0}, {15, 15, 0}, {-15, 20, -15}, {15, 20, -15}}, {0, -1, 0}},
        {RightDoor, {{15, 15, 0}, {15, -15, 0}, {20, 15, -15}, {20, -15, -15}}, {-1, 0, 0}},
        {BottomDoor, {{15, -15, 0}, {-15, -15, 0}, {15, -20, -15}, {-15, -20, -15}}, {0, 1, 0}},
        {LeftDoor, {{-15, -15, 0}, {-15, 15, 0}, {-20, -15, -15}, {-20, 15, -15}}, {1, 0, 0}},
    };
    for (const Flap& flap : flaps) {
        SCOPED_TRACE(flap.Buffer);
        const RecordingVertexBuffer& buffer = Buffer(flap.Buffer);
        for (uint32_t v = 0; v < 6; ++v) {
            EXPECT_EQ(buffer.At(v).Position, flap.Corners[v < 4 ? v : v - 4]);
            EXPECT_EQ(buffer.At(v).Diffuse, BodyColor);
            EXPECT_EQ(buffer.At(v).U, 0.0f);
            EXPECT_EQ(buffer.At(v).V, 0.0f);
        }
        for (uint32_t v = 0; v < 4; ++v) {
            ExpectNormal(buffer.At(v), flap.Inward);
        }
        const Vec3 outward{-flap.Inward.x, -flap.Inward.y, -flap.Inward.z};
        ExpectNormal(buffer.At(4), outward);
        ExpectNormal(buffer.At(5), outward);
    }
}

TEST_F(ProjectorGeometry, BeamQuarterWidensFromThirtyToOneHundredTen) {
    const RecordingVertexBuffer& beam = Buffer(Beam);
    const Vec3 positions[] = {{30, 0, 0},   {0, 0, 0},  {110, 0, -800},
                              {0, 0, -800}, {30, 0, 0}, {0, 0, 0}};
    const uint32_t colours[] = {0, 0xFFFFFF00, 0, 0xFFFFFF00, 0, 0xFFFFFF00};
    const float us[] = {1, 0, 1, 0, 1, 0};
    const float vs[] = {0, 0, 1, 1, 0, 0};
    for (uint32_t v = 0; v < 6; ++v) {
        SCOPED_TRACE(v);
        EXPECT_EQ(beam.At(v).Position, positions[v]);
        ExpectNormal(beam.At(v), v < 4 ? Vec3{0, 1, 0} : Vec3{0, -1, 0});
        EXPECT_EQ(beam.At(v).Diffuse, colours[v]);
        EXPECT_EQ(beam.At(v).U, us[v]);
        EXPECT_EQ(beam.At(v).V, vs[v]);
    }
}

TEST_F(ProjectorGeometry, BeamTextureFadesAcrossColumnsInTheLightColour) {
    const auto& texture = BeamTexture();
    for (uint32_t y = 0; y < 128; ++y) {
        SCOPED_TRACE(y);
        ASSERT_EQ(texture.Texel(0, y), 0xFFFFFF80u);
        ASSERT_EQ(texture.Texel(16, y) >> 24, 239u);  // trunc(255 x 0.9375)
        ASSERT_EQ(texture.Texel(32, y) >> 24, 191u);  // trunc(255 x 0.75)
        ASSERT_EQ(texture.Texel(63, y) >> 24, 7u);    // trunc(255 x (1 - (63 / 64)^2))
        for (uint32_t x = 0; x < 128; ++x) {
            ASSERT_EQ(texture.Texel(x, y) & 0x00FFFFFF, 0xFFFF80u) << x;
            if (x >= 64) {
                ASSERT_EQ(texture.Texel(x, y) >> 24, 0u) << x;
            }
        }
    }
    EXPECT_TRUE(texture.PaddingUntouched());
}

TEST_F(ProjectorGeometry, DestructorReleasesEveryResourceOnce) {
    projector.reset();
    for (const auto* buffer : device.VertexBuffers()) {
        EXPECT_EQ(buffer->ReleaseCount, 1);
    }
    EXPECT_EQ(device.Textures().at(0)->ReleaseCount, 1);
}

}  // namespace
}  // namespace projector_test
