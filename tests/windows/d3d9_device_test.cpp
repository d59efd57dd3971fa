// The Direct3D 9 device behind the seam (Wine's under the test run): the calls reach Direct3D
// with their arguments intact, and what the seam promises of textures and buffers holds.
#include "platform/windows/d3d9_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "geometry/vertex.h"
#include "platform/png_encoder.h"
#include "platform/windows/d3d9_graphics_system.h"
#include "platform/windows/win32.h"

namespace {

constexpr int Side = 64;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

class D3d9DeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "banner device test";
        RegisterClassExA(&windowClass);
        Window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, Side, Side,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(Window, nullptr);
        std::string error;
        System = gfx::D3d9GraphicsSystem::Create({true}, &error);
        ASSERT_NE(System, nullptr) << error;
        gfx::PresentParameters parameters;
        parameters.BackBufferWidth = Side;
        parameters.BackBufferHeight = Side;
        gfx::Device* created = nullptr;
        ASSERT_EQ(System->CreateDevice(Window, parameters, &created), S_OK);
        Device = static_cast<gfx::D3d9Device*>(created);
        Device->SetFrameCapture(true);
        Device->SetRenderState(gfx::RenderState::Lighting, 0);
        Device->SetRenderState(gfx::RenderState::CullMode, gfx::CullNone);
        Device->SetRenderState(gfx::RenderState::ZEnable, 0);
    }
    void TearDown() override {
        if (Device != nullptr) {
            Device->Release();
        }
        if (System != nullptr) {
            System->Release();
        }
        DestroyWindow(Window);
    }

    // A square from -half to +half in x and y at depth 0.5, one colour, texture 0..1 across it.
    gfx::VertexBuffer* Square(float half, uint32_t diffuse) {
        const Vertex corners[4] = {{{-half, -half, 0.5f}, {0, 0, -1}, diffuse, 0, 1},
                                   {{-half, half, 0.5f}, {0, 0, -1}, diffuse, 0, 0},
                                   {{half, -half, 0.5f}, {0, 0, -1}, diffuse, 1, 1},
                                   {{half, half, 0.5f}, {0, 0, -1}, diffuse, 1, 0}};
        gfx::VertexBuffer* buffer = nullptr;
        EXPECT_EQ(Device->CreateVertexBuffer(sizeof corners, 0, VertexFormat, &buffer), S_OK);
        void* data = nullptr;
        EXPECT_EQ(buffer->Lock(0, 0, &data, 0), S_OK);
        std::memcpy(data, corners, sizeof corners);
        EXPECT_EQ(buffer->Unlock(), S_OK);
        return buffer;
    }

    // Clears to black, draws the buffer as a two-triangle strip and reads the frame back.
    std::vector<uint8_t> Draw(gfx::VertexBuffer* buffer) {
        Device->Clear(gfx::ClearTarget, 0xFF000000u, 1.0f, 0);
        Device->BeginScene();
        Device->SetStreamSource(0, buffer, 0, VertexStride);
        Device->SetFVF(VertexFormat);
        EXPECT_EQ(Device->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 2), S_OK);
        Device->EndScene();
        Device->Present();
        std::vector<uint8_t> rgba;
        int width = 0;
        int height = 0;
        EXPECT_TRUE(Device->ReadPresentedFrame(rgba, width, height));
        EXPECT_EQ(width, Side);
        EXPECT_EQ(height, Side);
        return rgba;
    }

    static Rgb At(const std::vector<uint8_t>& rgba, int x, int y) {
        const uint8_t* p = &rgba[(static_cast<size_t>(y) * Side + x) * 4];
        return {p[0], p[1], p[2]};
    }

    HWND Window = nullptr;
    gfx::D3d9GraphicsSystem* System = nullptr;
    gfx::D3d9Device* Device = nullptr;
};

TEST_F(D3d9DeviceTest, TransformsArriveAsRowVectorMatricesAndTheFrameReadsBackTopRowFirst) {
    gfx::VertexBuffer* buffer = Square(0.25f, 0xFF30A0F0u);
    EXPECT_EQ(buffer->Length(), 4 * VertexStride);
    // Row 4 is the translation: the square moves to the right half and up.
    Matrix4 world = Matrix4::Identity();
    world(3, 0) = 0.5f;
    world(3, 1) = 0.5f;
    Device->SetTransform(gfx::TransformState::World, &world);
    const std::vector<uint8_t> frame = Draw(buffer);
    EXPECT_EQ(At(frame, 48, 16), (Rgb{0x30, 0xA0, 0xF0}));  // top right
    EXPECT_EQ(At(frame, 16, 48), (Rgb{0, 0, 0}));
    EXPECT_EQ(At(frame, 48, 48), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame[3], 255);
    buffer->Release();
}

TEST_F(D3d9DeviceTest, LightAndMaterialFieldsReachTheirOwnPlaces) {
    gfx::VertexBuffer* buffer = Square(1.0f, 0xFF808080u);
    gfx::Light light;
    light.Type = gfx::LightType::Directional;
    light.Direction = {0.0f, 0.0f, 1.0f};  // straight at the square's front
    light.Diffuse = {1.0f, 0.0f, 0.0f, 1.0f};
    light.Ambient = {0.0f, 0.0f, 0.5f, 1.0f};
    light.Specular = {0.0f, 1.0f, 0.0f, 1.0f};  // specular lighting is off
    light.Range = 100.0f;
    gfx::Material material;
    material.Ambient = {1.0f, 1.0f, 1.0f, 1.0f};
    material.Emissive = {0.0f, 0.25f, 0.0f, 0.0f};
    Device->SetRenderState(gfx::RenderState::Lighting, 1);
    Device->SetRenderState(gfx::RenderState::Ambient, 0);
    Device->SetLight(0, &light);
    Device->LightEnable(0, true);
    Device->SetMaterial(&material);
    // Red: vertex diffuse 0.5 times the light's diffuse; green: the emissive material; blue:
    // the light's ambient.
    const Rgb pixel = At(Draw(buffer), 32, 32);
    EXPECT_NEAR(pixel.r, 128, 2);
    EXPECT_NEAR(pixel.g, 64, 2);
    EXPECT_NEAR(pixel.b, 128, 2);
    buffer->Release();
}

TEST_F(D3d9DeviceTest, ADynamicTextureIsWrittenRowsAPitchApartAndSampledAsWritten) {
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(Device->CreateTexture(128, 128, gfx::FullMipChain, gfx::UsageDynamic,
                                    gfx::Format::A8R8G8B8, &texture),
              S_OK);
    EXPECT_EQ(texture->Width(), 128u);
    EXPECT_EQ(texture->LevelCount(), 8u);
    gfx::LockedRect locked;
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), S_OK);
    ASSERT_GE(locked.Pitch, 128 * 4);
    for (int y = 0; y < 128; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.Bits) + y * locked.Pitch);
        for (int x = 0; x < 128; ++x) {
            row[x] = y < 64 ? 0xFFFF8000u : 0xFF0040FFu;  // top half orange, bottom half blue
        }
    }
    ASSERT_EQ(texture->UnlockRect(0), S_OK);
    gfx::VertexBuffer* buffer = Square(1.0f, 0xFFFFFFFFu);
    Device->SetTexture(0, texture);
    Device->SetTextureStageState(0, gfx::TextureStageState::ColorOp, gfx::TextureOpSelectArg1);
    Device->SetTextureStageState(0, gfx::TextureStageState::ColorArg1, gfx::TextureArgTexture);
    const std::vector<uint8_t> frame = Draw(buffer);
    EXPECT_EQ(At(frame, 32, 8), (Rgb{0xFF, 0x80, 0x00}));
    EXPECT_EQ(At(frame, 32, 56), (Rgb{0x00, 0x40, 0xFF}));
    // Released after the device, its resources stay safe to release.
    Device->Release();
    Device = nullptr;
    buffer->Release();
    texture->Release();
}

TEST_F(D3d9DeviceTest, APngTextureHasPowerOfTwoSidesAndOneLevel) {
    // 3 x 2 pixels: sides round up to 4 x 2.
    const std::vector<uint8_t> pixels(3 * 2 * 4, 0x80);
    const std::vector<uint8_t> file = gfx::EncodePng(3, 2, 4, pixels);
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(Device->CreateTextureFromPngInMemory(file.data(), file.size(), 0xFF000000u, &texture),
              S_OK);
    EXPECT_EQ(texture->Width(), 4u);
    EXPECT_EQ(texture->Height(), 2u);
    EXPECT_EQ(texture->LevelCount(), 1u);
    texture->Release();
    const uint8_t notPng[16] = {1, 2, 3};
    texture = nullptr;
    EXPECT_LT(Device->CreateTextureFromPngInMemory(notPng, sizeof notPng, 0, &texture), 0);
    EXPECT_EQ(texture, nullptr);
}

}  // namespace
