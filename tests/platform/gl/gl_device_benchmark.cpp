// Times frames of the GL device on whatever OpenGL SDL finds (llvmpipe offscreen in CI):
//   gl_device_benchmark [frames]
// A heavy frame draws about 200,000 triangles lit by 12 lights, a light frame 4,000 triangles
// lit by one. Prints the median and the spread of the frame times.
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "geometry/matrix_math.h"
#include "platform/gl/gl_api.h"
#include "tests/platform/gl/gl_test_rig.h"

namespace {

// A strip zig-zagging over a w x h grid of rows: 2 * columns triangles per row.
std::vector<Vertex> GridStrip(int columns, int rows, float size) {
    std::vector<Vertex> vertices;
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c <= columns; ++c) {
            int column = row % 2 == 0 ? c : columns - c;
            float x = size * (static_cast<float>(column) / columns - 0.5f);
            for (int edge = 0; edge < 2; ++edge) {
                float y =
                    size *
                    (static_cast<float>(row + (row % 2 == 0 ? edge : 1 - edge)) / rows - 0.5f);
                float z = 0.1f * std::sin(x * 7.0f + y * 3.0f);
                vertices.push_back({{x, y, z}, {0.0f, 0.3f, -1.0f}, 0xFFC08040u, x, y});
            }
        }
    }
    return vertices;
}

gfx::VertexBuffer* Upload(gfx::Device* device, const std::vector<Vertex>& vertices) {
    gfx::VertexBuffer* buffer = nullptr;
    uint32_t bytes = VertexBytes(static_cast<uint32_t>(vertices.size()));
    device->CreateVertexBuffer(bytes, 0, VertexFormat, &buffer);
    void* data = nullptr;
    buffer->Lock(0, 0, &data, 0);
    std::memcpy(data, vertices.data(), bytes);
    buffer->Unlock();
    return buffer;
}

void SetLights(gfx::Device* device, int count) {
    gfx::Light sun;
    sun.Type = gfx::LightType::Directional;
    sun.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    sun.Direction = Vec3Normalize({0.0f, -1.0f, 1.0f});
    device->SetLight(0, &sun);
    device->LightEnable(0, true);
    for (int i = 1; i < count; ++i) {
        gfx::Light point;
        point.Type = gfx::LightType::Point;
        point.Diffuse = point.Ambient = {0.3f, 0.2f, 0.1f, 0.0f};
        point.Position = {static_cast<float>(i - 6), 0.5f, 8.0f};
        point.Range = 50.0f;
        point.Attenuation2 = 0.01f;
        device->SetLight(static_cast<uint32_t>(i), &point);
        device->LightEnable(static_cast<uint32_t>(i), true);
    }
}

struct Scene {
    std::vector<gfx::VertexBuffer*> Buffers;
    uint32_t Triangles;  // per buffer
    int Lights;
};

double TimeFrame(gfx::GlDevice* device, const Scene& scene) {
    auto start = std::chrono::steady_clock::now();
    device->Clear(gfx::ClearTarget | gfx::ClearZBuffer, 0xFF000000u, 1.0f, 0);
    device->BeginScene();
    SetLights(device, scene.Lights);
    for (size_t i = 0; i < scene.Buffers.size(); ++i) {
        Matrix4 world = MatrixTranslation(static_cast<float>(i % 10) - 5.0f,
                                          0.3f * static_cast<float>(i / 10) - 0.5f, 10.0f);
        device->SetTransform(gfx::TransformState::World, &world);
        device->SetStreamSource(0, scene.Buffers[i], 0, VertexStride);
        device->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, scene.Triangles);
    }
    device->EndScene();
    device->Present();
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void Report(const char* name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%s: median %.1f ms, min %.1f ms, max %.1f ms over %zu frames\n", name,
                times[times.size() / 2], times.front(), times.back(), times.size());
}

}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    gl_testing::GlTestRig rig(960, 92);
    if (!rig.Ready()) {
        std::fprintf(stderr, "no device: %s\n", rig.Error.c_str());
        return 1;
    }
    gfx::GlDevice* device = rig.Device;
    device->SetFrameCapture(false);
    device->SetRenderState(gfx::RenderState::CullMode, gfx::CullNone);
    device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    device->SetRenderState(gfx::RenderState::SrcBlend, gfx::BlendSrcAlpha);
    device->SetRenderState(gfx::RenderState::DestBlend, gfx::BlendInvSrcAlpha);
    gfx::Material material;
    material.Ambient = {1.0f, 1.0f, 1.0f, 1.0f};
    device->SetMaterial(&material);
    Matrix4 view = MatrixLookAtLH({0.0f, -0.0f, -3.3f}, {0.0f, 0.0f, 1.0f}, {0, 1, 0});
    float t = 1.0f / std::tan(0.09817477f);
    Matrix4 projection = {92.0f / 960.0f * t, 0, 0, 0, 0,         t, 0, 0, 0.68f, 0,
                          1.00001f,           1, 0, 0, -1.00001f, 0};
    device->SetTransform(gfx::TransformState::View, &view);
    device->SetTransform(gfx::TransformState::Projection, &projection);

    std::vector<Vertex> heavyMesh = GridStrip(50, 50, 0.9f);  // 5,000 triangles
    Scene heavy{{}, static_cast<uint32_t>(heavyMesh.size() - 2), 12};
    for (int i = 0; i < 40; ++i) {
        heavy.Buffers.push_back(Upload(device, heavyMesh));
    }
    std::vector<Vertex> lightMesh = GridStrip(20, 10, 0.9f);
    Scene light{{}, static_cast<uint32_t>(lightMesh.size() - 2), 1};
    for (int i = 0; i < 10; ++i) {
        light.Buffers.push_back(Upload(device, lightMesh));
    }

    for (const auto& [name, scene] : {std::pair{"heavy", &heavy}, std::pair{"light", &light}}) {
        std::vector<double> times;
        TimeFrame(device, *scene);  // warm-up: shader compilation and uploads
        for (int i = 0; i < frames; ++i) {
            times.push_back(TimeFrame(device, *scene));
        }
        std::printf("%s frame: %u triangles in %zu draws, %d lights\n", name,
                    scene->Triangles * static_cast<uint32_t>(scene->Buffers.size()),
                    scene->Buffers.size(), scene->Lights);
        Report(name, times);
    }
    for (auto* buffer : heavy.Buffers) buffer->Release();
    for (auto* buffer : light.Buffers) buffer->Release();
    return 0;
}
