#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/process_globals.h"
#include "tests/objects/camera/camera_fixture.h"

namespace camera_test {
namespace {

using testing_support::Operation;
using testing_support::RecordingVertexBuffer;

constexpr float Tolerance = 1e-5f;
const float InvSqrt3 = static_cast<float>(1 / std::sqrt(3.0));

float Radius(const Vertex& v) { return std::hypot(v.Position.x, v.Position.y); }

void ExpectSamePosition(const Vertex& a, const Vertex& b) {
    EXPECT_NEAR(a.Position.x, b.Position.x, Tolerance);
    EXPECT_NEAR(a.Position.y, b.Position.y, Tolerance);
    EXPECT_NEAR(a.Position.z, b.Position.z, Tolerance);
}

// The alpha and colour bytes of a texel.
uint32_t Alpha(uint32_t texel) { return texel >> 24; }
uint32_t Rgb(uint32_t texel) { return texel & 0x00FFFFFF; }

using CameraGeometry = CameraTest;

TEST_F(CameraGeometry, CreatesNineBuffersOfTheSceneSizesAndTheGlowTexture) {
    auto camera = SceneCamera();
    ASSERT_EQ(camera->Create(), S_OK);
    const uint32_t lengths[] = {144, 144, 360, 144, 18504, 18504, 18504, 18504, 4718592};
    ASSERT_EQ(device.VertexBuffers().size(), 9u);
    for (int b = 0; b < 9; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(Buffer(b).Length(), lengths[b]);
        EXPECT_EQ(Buffer(b).Usage, 0u);
        EXPECT_EQ(Buffer(b).Format, VertexFormat);
        EXPECT_FALSE(Buffer(b).Locked);
    }
    ASSERT_EQ(device.Textures().size(), 1u);
    EXPECT_EQ(GlowTexture().Width(), 128u);
    EXPECT_EQ(GlowTexture().Height(), 128u);
    EXPECT_EQ(GlowTexture().Usage, gfx::UsageDynamic);
    EXPECT_FALSE(GlowTexture().Locked);
}

TEST_F(CameraGeometry, GlowQuadIsASquareOfHalfSideGlowSize) {
    auto camera = SceneCamera();
    ASSERT_EQ(camera->Create(), S_OK);
    const Vertex expected[] = {{{5, 5, 0}, {0, 0, -1}, 0, 1, 0},
                               {{-5, 5, 0}, {0, 0, -1}, 0, 0, 0},
                               {{5, -5, 0}, {0, 0, -1}, 0, 1, 1},
                               {{-5, -5, 0}, {0, 0, -1}, 0, 0, 1}};
    for (int v = 0; v < 4; ++v) {
        SCOPED_TRACE(v);
        EXPECT_EQ(std::memcmp(&Buffer(Glow).At(v), &expected[v], sizeof(Vertex)), 0);
    }
}

TEST_F(CameraGeometry, BodyNormalsAreTheNormalisedCornerDirections) {
    auto camera = SceneCamera();
    ASSERT_EQ(camera->Create(), S_OK);
    for (int b : {FrontFace, Side, BackFace}) {
        const RecordingVertexBuffer& buffer = Buffer(b);
        for (uint32_t v = 0; v < buffer.VertexCapacity(); ++v) {
            SCOPED_TRACE(testing::Message() << "buffer " << b << " vertex " << v);
            const Vertex& vertex = buffer.At(v);
            ASSERT_EQ(std::fabs(vertex.Position.x), BodyHalfSide);
            ASSERT_EQ(std::fabs(vertex.Position.y), BodyHalfSide);
            ASSERT_TRUE(vertex.Position.z == 0 || vertex.Position.z == BodyDepth);
            const float zSign = vertex.Position.z == 0 ? -1.0f : 1.0f;
            EXPECT_NEAR(vertex.Normal.x, std::copysign(InvSqrt3, vertex.Position.x), 1e-7);
            EXPECT_NEAR(vertex.Normal.y, std::copysign(InvSqrt3, vertex.Position.y), 1e-7);
            EXPECT_NEAR(vertex.Normal.z, zSign * InvSqrt3, 1e-7);
            EXPECT_EQ(vertex.Diffuse, BodyColor);
        }
    }
    for (uint32_t v = 0; v < 4; ++v) {
        EXPECT_EQ(Buffer(FrontFace).At(v).Position.z, 0.0f);
        EXPECT_EQ(Buffer(BackFace).At(v).Position.z, BodyDepth);
    }
    // The side strip runs once around the box and ends where it started.
    ExpectSamePosition(Buffer(Side).At(8), Buffer(Side).At(0));
    ExpectSamePosition(Buffer(Side).At(9), Buffer(Side).At(1));
}

TEST_F(CameraGeometry, LensBarrelHasOuterRadiusFiveInnerFourAndRecessedGlass) {
    auto camera = SceneCamera();
    ASSERT_EQ(camera->Create(), S_OK);
    for (uint32_t k = 0; k <= SegmentCount; ++k) {
        SCOPED_TRACE(k);
        const Vertex& outerFront = Buffer(OuterWall).At(2 * k);
        const Vertex& outerBack = Buffer(OuterWall).At(2 * k + 1);
        EXPECT_NEAR(Radius(outerFront), 5.0f, Tolerance);
        EXPECT_EQ(outerFront.Position.z, -5.0f);
        EXPECT_EQ(outerBack.Position.z, 0.0f);
        EXPECT_GT(outerFront.Normal.x * outerFront.Position.x +
                      outerFront.Normal.y * outerFront.Position.y,
                  0.0f);
        EXPECT_NEAR(Radius(Buffer(LensRim).At(2 * k)), 4.0f, Tolerance);
        EXPECT_NEAR(Radius(Buffer(LensRim).At(2 * k + 1)), 5.0f, Tolerance);
        EXPECT_EQ(Buffer(LensRim).At(2 * k).Position.z, -5.0f);
        const Vertex& innerWall = Buffer(InnerWall).At(2 * k);
        EXPECT_NEAR(Radius(innerWall), 4.0f, Tolerance);
        EXPECT_LT(
            innerWall.Normal.x * innerWall.Position.x + innerWall.Normal.y * innerWall.Position.y,
            0.0f);
        const Vertex& centre = Buffer(Glass).At(2 * k);
        const Vertex& edge = Buffer(Glass).At(2 * k + 1);
        EXPECT_EQ(centre.Position.x, 0.0f);
        EXPECT_EQ(centre.Position.z, -4.0f);
        EXPECT_EQ(edge.Position.z, -4.0f);
        EXPECT_NEAR(Radius(edge), 4.0f, Tolerance);
        EXPECT_EQ(centre.Diffuse, 0x80800080u);
        EXPECT_EQ(edge.Diffuse, 0x80008000u);
    }
}

TEST_F(CameraGeometry, LensRingsAreClosed) {
    auto camera = SceneCamera();
    ASSERT_EQ(camera->Create(), S_OK);
    for (int b : {OuterWall, LensRim, InnerWall, Glass}) {
        SCOPED_TRACE(b);
        ExpectSamePosition(Buffer(b).At(2 * SegmentCount), Buffer(b).At(0));
        ExpectSamePosition(Buffer(b).At(2 * SegmentCount + 1), Buffer(b).At(1));
    }
    EXPECT_FLOAT_EQ(Buffer(OuterWall).At(2 * SegmentCount).U, 1.0f);
}

TEST_F(CameraGeometry, DomeIsAHemisphereBulgingForwardFromTheLampCorner) {
    auto camera = SceneCamera();
    ASSERT_EQ(camera->Create(), S_OK);
    const RecordingVertexBuffer& dome = Buffer(Dome);
    const float o = camera->GetLampOffset();
    ASSERT_EQ(o, 5.0f);
    const uint32_t written = 32768;
    for (uint32_t v = 0; v < written; ++v) {
        const Vertex& vertex = dome.At(v);
        const Vec3 local{vertex.Position.x - o, vertex.Position.y - o, vertex.Position.z};
        ASSERT_NEAR(std::sqrt(Dot(local, local)), LampRadius, Tolerance) << v;
        // Angles of float pi overshoot pi by 1e-7: the dome may cross z = 0 by as much.
        ASSERT_LE(vertex.Position.z, 1e-6f) << v;
        ASSERT_NEAR(vertex.Normal.x, local.x, Tolerance) << v;
        ASSERT_NEAR(vertex.Normal.y, local.y, Tolerance) << v;
        ASSERT_NEAR(vertex.Normal.z, local.z, Tolerance) << v;
        ASSERT_EQ(vertex.Diffuse, 0x40FF0000u) << v;
    }
    const auto unwritten = dome.Bytes.begin() + written * VertexStride;
    EXPECT_TRUE(std::all_of(unwritten, dome.Bytes.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(CameraGeometry, DomeBandsRunFromPoleToPoleAlternatingDirection) {
    auto camera = SceneCamera();
    ASSERT_EQ(camera->Create(), S_OK);
    const float o = camera->GetLampOffset();
    const uint32_t h = SegmentCount / 2;
    for (uint32_t b = 0; b < h; ++b) {
        SCOPED_TRACE(b);
        const Vertex& first = Buffer(Dome).At(b * 2 * h);
        const Vertex& last = Buffer(Dome).At(b * 2 * h + 2 * h - 1);
        const float firstX = b % 2 == 0 ? o - LampRadius : o + LampRadius;
        const float lastX = b % 2 == 0 ? o + LampRadius : o - LampRadius;
        ExpectSamePosition(first, {{firstX, o, 0}, {}, 0, 0, 0});
        ExpectSamePosition(last, {{lastX, o, 0}, {}, 0, 0, 0});
    }
}

TEST_F(CameraGeometry, GlowTextureMadeAtCreateUsesHalfBrightness) {
    auto camera = SceneCamera();
    ASSERT_EQ(camera->Create(), S_OK);
    const auto& texture = GlowTexture();
    EXPECT_EQ(texture.Texel(64, 64), 0x7F7F0000u);   // centre: alpha 127
    EXPECT_EQ(texture.Texel(96, 64), 0x5F7F0000u);   // r^2 = 1024: trunc(0.5 x 0.75 x 255) = 95
    EXPECT_EQ(texture.Texel(122, 64), 0x167F0000u);  // r^2 = 3364, just inside the ring
    for (const auto& [x, y] : {std::pair{123, 64}, {127, 64}, {64, 1}, {64 + 44, 64 + 44}}) {
        SCOPED_TRACE(testing::Message() << x << ", " << y);
        EXPECT_EQ(texture.Texel(x, y), 0x3F7F0000u);  // the ring: trunc(0.5 x 0.5 x 255) = 63
    }
    for (const auto& [x, y] : {std::pair{0, 0}, {127, 127}, {0, 64 + 40}, {20, 10}}) {
        EXPECT_EQ(Alpha(texture.Texel(x, y)), 0u) << x << ", " << y;
    }
    for (uint32_t y = 0; y < 128; ++y) {
        for (uint32_t x = 0; x < 128; ++x) {
            ASSERT_EQ(Rgb(texture.Texel(x, y)), 0x7F0000u) << x << ", " << y;
        }
    }
    EXPECT_TRUE(texture.PaddingUntouched());
}

TEST_F(CameraGeometry, GlowColourIsTheLampColourHalvedAndRoundedDown) {
    auto camera = SceneCamera(Green);
    ASSERT_EQ(camera->Create(), S_OK);
    EXPECT_EQ(GlowTexture().Texel(64, 64), 0x7F004000u);
    EXPECT_EQ(Buffer(Dome).At(0).Diffuse, 0x40008000u);
}

TEST_F(CameraGeometry, BlinkPeriodZeroTurnsTheLampOff) {
    auto camera = SceneCamera(Red, 0);
    ASSERT_EQ(camera->Create(), S_OK);
    camera->Render(123);
    EXPECT_EQ(camera->GetBlinkLevel(), 0.0f);
    for (uint32_t y = 0; y < 128; ++y) {
        for (uint32_t x = 0; x < 128; ++x) {
            ASSERT_EQ(GlowTexture().Texel(x, y), 0u) << x << ", " << y;
        }
    }
    camera->Update();
    const gfx::Light& light = device.Lights().at(camera->GetLightIndex());
    EXPECT_EQ(light.Diffuse.r, 0.0f);
    EXPECT_EQ(light.Ambient.r, 0.0f);
    EXPECT_EQ(light.Specular.r, 0.0f);
    EXPECT_TRUE(device.IsLightEnabled(camera->GetLightIndex()));
    // The dome does not depend on the level.
    EXPECT_EQ(Buffer(Dome).At(100).Diffuse, 0x40FF0000u);
}

TEST_F(CameraGeometry, LampColourAlphaIsNeverUsed) {
    auto opaque = SceneCamera(0xFFFF0000);
    auto clear = SceneCamera(0x00FF0000);
    ASSERT_EQ(opaque->Create(), S_OK);
    ASSERT_EQ(clear->Create(), S_OK);
    const auto& buffers = device.VertexBuffers();
    EXPECT_EQ(buffers[Dome]->Bytes, buffers[9 + Dome]->Bytes);
    EXPECT_EQ(device.Textures()[0]->Level0, device.Textures()[1]->Level0);
    opaque->Update();
    clear->Update();
    const gfx::Light& a = device.Lights().at(opaque->GetLightIndex());
    const gfx::Light& b = device.Lights().at(clear->GetLightIndex());
    EXPECT_EQ(std::memcmp(&a, &b, sizeof(gfx::Light)), 0);
}

TEST_F(CameraGeometry, DestructorReleasesEveryResourceOnce) {
    auto camera = SceneCamera();
    ASSERT_EQ(camera->Create(), S_OK);
    camera.reset();
    for (const auto* buffer : device.VertexBuffers()) {
        EXPECT_EQ(buffer->ReleaseCount, 1);
    }
    EXPECT_EQ(device.Textures().at(0)->ReleaseCount, 1);
}

TEST_F(CameraGeometry, SegmentCountTooLargeForBufferLengthsFailsBeforeAnyDeviceCall) {
    auto camera = SceneCamera(Red, 1000, 8000);  // 2 x 8000^2 x 36 bytes do not fit 32 bits
    EXPECT_EQ(camera->Create(), E_FAIL);
    EXPECT_TRUE(device.Calls.empty());
    EXPECT_EQ(NextLightIndex, 1);
}

TEST_F(CameraGeometry, OddSegmentCountDrawsOnlyTheWrittenDomeVertices) {
    auto camera = SceneCamera(Red, 1000, 5);
    ASSERT_EQ(camera->Create(), S_OK);
    camera->Render(0);
    // h = 2: two bands of four vertices.
    const auto dome = std::find_if(device.Draws.begin(), device.Draws.end(),
                                   [&](const auto& d) { return d.Buffer == &Buffer(Dome); });
    ASSERT_NE(dome, device.Draws.end());
    EXPECT_EQ(dome->PrimitiveCount, 6u);
    EXPECT_EQ(Buffer(Dome).At(7).Diffuse, 0x40FF0000u);
    EXPECT_EQ(Buffer(Dome).At(8).Diffuse, 0u);
}

}  // namespace
}  // namespace camera_test
