#include "tests/platform/gl/gl_test_rig.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "geometry/matrix4.h"

namespace gl_testing {

Rgb Frame::At(int x, int y) const {
    const uint8_t* p = &Rgba[(static_cast<size_t>(y) * Width + x) * 4];
    return {p[0], p[1], p[2]};
}

GlTestRig::GlTestRig(int width, int height, const gfx::GlGraphicsSystem::Options& options) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    System = gfx::GlGraphicsSystem::Create(&Error);
    if (System == nullptr) {
        return;
    }
    System->SetOptions(options);
    Window =
        SDL_CreateWindow("gl test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (Window == nullptr) {
        Error = SDL_GetError();
        return;
    }
    gfx::PresentParameters parameters;
    parameters.BackBufferWidth = static_cast<uint32_t>(width);
    parameters.BackBufferHeight = static_cast<uint32_t>(height);
    gfx::Device* device = nullptr;
    if (Failed(System->CreateDevice(Window, parameters, &device))) {
        Error = System->LastError();
        return;
    }
    Device = static_cast<gfx::GlDevice*>(device);
    Device->SetSwapInterval(0);
    Device->SetFrameCapture(true);
}

GlTestRig::~GlTestRig() {
    if (Device != nullptr) {
        Device->Release();
    }
    if (Window != nullptr) {
        SDL_DestroyWindow(Window);
    }
    if (System != nullptr) {
        System->Release();
    }
}

void GlTestRig::UsePlainState() {
    Matrix4 identity = Matrix4::Identity();
    Device->SetTransform(gfx::TransformState::World, &identity);
    Device->SetTransform(gfx::TransformState::View, &identity);
    Device->SetTransform(gfx::TransformState::Projection, &identity);
    Device->SetRenderState(gfx::RenderState::Lighting, 0);
    Device->SetRenderState(gfx::RenderState::CullMode, gfx::CullNone);
    Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 0);
    ClearTo(0xFF000000u);
}

void GlTestRig::ClearTo(uint32_t argb) {
    Device->Clear(gfx::ClearTarget | gfx::ClearZBuffer, argb, 1.0f, 0);
}

HRESULT GlTestRig::DrawStrip(const std::vector<Vertex>& vertices) {
    gfx::VertexBuffer* buffer = nullptr;
    uint32_t bytes = VertexBytes(static_cast<uint32_t>(vertices.size()));
    HRESULT result = Device->CreateVertexBuffer(bytes, 0, VertexFormat, &buffer);
    if (Failed(result)) {
        return result;
    }
    void* data = nullptr;
    buffer->Lock(0, 0, &data, 0);
    std::memcpy(data, vertices.data(), bytes);
    buffer->Unlock();
    Device->SetStreamSource(0, buffer, 0, VertexStride);
    Device->SetFVF(VertexFormat);
    result = Device->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0,
                                   static_cast<uint32_t>(vertices.size() - 2));
    buffer->Release();
    return result;
}

Frame GlTestRig::PresentAndRead() {
    Frame frame;
    Device->Present();
    Device->ReadPresentedFrame(frame.Rgba, frame.Width, frame.Height);
    return frame;
}

std::vector<Vertex> Square(float z, uint32_t diffuse, float half, Vec3 normal) {
    auto corner = [&](float x, float y, float u, float v) {
        return Vertex{{x * half, y * half, z}, normal, diffuse, u, v};
    };
    return {corner(-1, -1, 0, 1), corner(1, -1, 1, 1), corner(-1, 1, 0, 0), corner(1, 1, 1, 0)};
}

std::vector<Vertex> ClockwiseSquare(float z, uint32_t diffuse) {
    std::vector<Vertex> square = Square(z, diffuse);
    std::swap(square[1], square[2]);
    return square;
}

bool Fill(gfx::Texture* texture, int size, uint32_t argb) {
    gfx::LockedRect locked;
    if (Failed(texture->LockRect(0, &locked, nullptr, 0))) {
        return false;
    }
    for (int y = 0; y < size; ++y) {
        auto* row =
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.Bits) + y * locked.Pitch);
        std::fill(row, row + size, argb);
    }
    return !Failed(texture->UnlockRect(0));
}

int Byte(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

float Scaled(float channel) { return channel * 255.0f; }

}  // namespace gl_testing
