#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/platform/gl/gl_test_rig.h"

// Creating and ending devices and resources: failures come back as results, and resources may
// be released before or after the device that made them.
namespace {

using gl_testing::GlTestRig;
using gl_testing::Square;

struct Resources {
    gfx::VertexBuffer* Buffer = nullptr;
    gfx::Texture* Texture = nullptr;
};

Resources MakeResources(gfx::Device* device) {
    Resources made;
    EXPECT_EQ(device->CreateVertexBuffer(VertexBytes(4), 0, VertexFormat, &made.Buffer), S_OK);
    EXPECT_EQ(
        device->CreateTexture(32, 32, 0, gfx::UsageDynamic, gfx::Format::A8R8G8B8, &made.Texture),
        S_OK);
    return made;
}

TEST(GlDeviceLifetimeTest, ResourcesReleasedAfterTheDeviceOnlyFreeMemory) {
    GlTestRig rig;
    ASSERT_TRUE(rig.Ready()) << rig.Error;
    Resources made = MakeResources(rig.Device);
    rig.Device->SetTexture(0, made.Texture);
    rig.Device->SetStreamSource(0, made.Buffer, 0, VertexStride);
    rig.Device->Release();
    rig.Device = nullptr;

    void* data = nullptr;
    gfx::LockedRect locked;
    EXPECT_EQ(made.Buffer->Lock(0, 0, &data, 0), E_FAIL);
    EXPECT_EQ(made.Texture->LockRect(0, &locked, nullptr, 0), E_FAIL);
    EXPECT_EQ(made.Buffer->Unlock(), E_FAIL);
    made.Texture->Release();
    made.Buffer->Release();
}

TEST(GlDeviceLifetimeTest, BoundResourcesReleasedFirstAreDroppedFromTheDevice) {
    GlTestRig rig;
    ASSERT_TRUE(rig.Ready()) << rig.Error;
    Resources made = MakeResources(rig.Device);
    rig.Device->SetTexture(0, made.Texture);
    rig.Device->SetStreamSource(0, made.Buffer, 0, VertexStride);
    made.Texture->Release();
    made.Buffer->Release();
    // Nothing to draw from: the draw fails instead of reading freed memory.
    EXPECT_EQ(rig.Device->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 2), E_FAIL);
    rig.UsePlainState();
    EXPECT_EQ(rig.DrawStrip(Square(0.5f, 0xFFFFFFFFu)), S_OK);
    EXPECT_EQ(rig.PresentAndRead().At(32, 32).r, 255);
}

TEST(GlDeviceLifetimeTest, DrawsBeyondTheBufferAreRefused) {
    GlTestRig rig;
    ASSERT_TRUE(rig.Ready()) << rig.Error;
    gfx::VertexBuffer* buffer = nullptr;
    ASSERT_EQ(rig.Device->CreateVertexBuffer(VertexBytes(6), 0, VertexFormat, &buffer), S_OK);
    rig.Device->SetStreamSource(0, buffer, 0, VertexStride);
    auto draw = [&](uint32_t start, uint32_t count) {
        return rig.Device->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, start, count);
    };
    EXPECT_EQ(draw(0, 4), S_OK);
    EXPECT_EQ(draw(2, 2), S_OK);
    EXPECT_EQ(draw(0, 5), E_FAIL);
    EXPECT_EQ(draw(3, 2), E_FAIL);
    EXPECT_EQ(draw(0xFFFFFFFFu, 0xFFFFFFFFu), E_FAIL);
    EXPECT_EQ(rig.Device->SetStreamSource(0, buffer, 0, 32), E_FAIL);
    EXPECT_EQ(rig.Device->SetStreamSource(1, buffer, 0, VertexStride), E_FAIL);
    buffer->Release();
}

// Each buffer carries its own description of its vertices: making, filling or releasing another
// one between two draws must not change what the stream set for them reads.
TEST(GlDeviceLifetimeTest, TheStreamHoldsThroughOtherBuffersMadeBetweenDraws) {
    GlTestRig rig;
    ASSERT_TRUE(rig.Ready()) << rig.Error;
    rig.UsePlainState();
    auto makeSquares = [&](uint32_t diffuse) {
        std::vector<Vertex> vertices = Square(0.5f, diffuse, 0.5f);
        std::vector<Vertex> right = vertices;
        for (Vertex& vertex : vertices) {
            vertex.Position.x -= 0.5f;
        }
        for (Vertex& vertex : right) {
            vertex.Position.x += 0.5f;
        }
        vertices.insert(vertices.end(), right.begin(), right.end());
        gfx::VertexBuffer* buffer = nullptr;
        EXPECT_EQ(rig.Device->CreateVertexBuffer(VertexBytes(8), 0, VertexFormat, &buffer), S_OK);
        void* data = nullptr;
        EXPECT_EQ(buffer->Lock(0, 0, &data, 0), S_OK);
        std::memcpy(data, vertices.data(), VertexBytes(8));
        buffer->Unlock();
        return buffer;
    };
    gfx::VertexBuffer* white = makeSquares(0xFFFFFFFFu);
    rig.Device->SetStreamSource(0, white, 0, VertexStride);
    for (bool releaseBetween : {false, true}) {
        rig.ClearTo(0xFF000000u);
        EXPECT_EQ(rig.Device->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 2), S_OK);
        gfx::VertexBuffer* red = makeSquares(0xFFFF0000u);
        if (releaseBetween) {
            red->Release();
        }
        EXPECT_EQ(rig.Device->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 4, 2), S_OK);
        gl_testing::Frame frame = rig.PresentAndRead();
        EXPECT_EQ(frame.At(16, 32).g, 255) << "released between: " << releaseBetween;
        EXPECT_EQ(frame.At(48, 32).g, 255) << "released between: " << releaseBetween;
        if (!releaseBetween) {
            red->Release();
        }
    }
    white->Release();
}

TEST(GlDeviceLifetimeTest, BuffersKeepTheirContentsBetweenLocks) {
    GlTestRig rig;
    ASSERT_TRUE(rig.Ready()) << rig.Error;
    gfx::VertexBuffer* buffer = nullptr;
    ASSERT_EQ(rig.Device->CreateVertexBuffer(64, 0, VertexFormat, &buffer), S_OK);
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(0, 0, &data, 0), S_OK);
    static_cast<uint8_t*>(data)[63] = 0xAB;
    ASSERT_EQ(buffer->Unlock(), S_OK);
    ASSERT_EQ(buffer->Lock(0, 0, &data, 0), S_OK);
    EXPECT_EQ(static_cast<uint8_t*>(data)[63], 0xAB);
    buffer->Unlock();
    EXPECT_EQ(buffer->Lock(60, 8, &data, 0), E_FAIL);
    EXPECT_EQ(buffer->Length(), 64u);
    buffer->Release();
    EXPECT_EQ(rig.Device->CreateVertexBuffer(0, 0, VertexFormat, &buffer), E_FAIL);
}

TEST(GlDeviceLifetimeTest, SceneBracketsMustPair) {
    GlTestRig rig;
    ASSERT_TRUE(rig.Ready()) << rig.Error;
    EXPECT_EQ(rig.Device->EndScene(), E_FAIL);
    EXPECT_EQ(rig.Device->BeginScene(), S_OK);
    EXPECT_EQ(rig.Device->BeginScene(), E_FAIL);
    EXPECT_EQ(rig.Device->EndScene(), S_OK);
    EXPECT_EQ(rig.Device->Present(), S_OK);
}

TEST(GlDeviceLifetimeTest, NoFrameIsKeptUntilOneIsPresentedWithCaptureOn) {
    GlTestRig rig;
    ASSERT_TRUE(rig.Ready()) << rig.Error;
    std::vector<uint8_t> rgba;
    int width = 0;
    int height = 0;
    rig.Device->SetFrameCapture(false);
    rig.Device->Present();
    EXPECT_FALSE(rig.Device->ReadPresentedFrame(rgba, width, height));
    rig.Device->SetFrameCapture(true);
    rig.Device->Present();
    ASSERT_TRUE(rig.Device->ReadPresentedFrame(rgba, width, height));
    EXPECT_EQ(rgba.size(), static_cast<size_t>(width) * height * 4);
    EXPECT_EQ(rgba[3], 255);
}

TEST(GlDeviceLifetimeTest, AContextVersionThatCannotBeHadFailsCleanly) {
    gfx::GlGraphicsSystem::Options options;
    options.ContextMajor = 9;
    options.ContextMinor = 9;
    GlTestRig rig(64, 64, options);
    EXPECT_FALSE(rig.Ready());
    EXPECT_NE(rig.Error.find("9.9"), std::string::npos) << rig.Error;

    // The same window takes a device of a version that exists.
    rig.System->SetOptions({});
    gfx::Device* device = nullptr;
    gfx::PresentParameters parameters{64, 64, true, true, 0};
    ASSERT_EQ(rig.System->CreateDevice(rig.Window, parameters, &device), S_OK);
    device->Release();
}

TEST(GlDeviceLifetimeTest, WithoutAUsableVideoDriverTheSystemIsNotMade) {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    std::string error;
    gfx::GraphicsSystem* system = CreateGlGraphicsSystem(&error);
    EXPECT_EQ(system, nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos);
    if (system != nullptr) {
        system->Release();
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
}

}  // namespace
