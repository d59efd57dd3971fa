#include "assets/embedded_assets.h"
#include "geometry/float_math.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/process_globals.h"
#include "scene/talvo_scene0001.h"

namespace {

constexpr uint32_t CylinderColumns = 200;
constexpr uint32_t CylinderVertexCount = 2 * CylinderColumns;
constexpr float CylinderRadius = 3.2f;
constexpr float CylinderHalfHeight = 5.0f;
constexpr uint32_t QuadVertexCount = 4;
constexpr uint32_t OpaqueBlack = 0xFF000000;
constexpr uint32_t OpaqueRed = 0xFFFF0000;

HRESULT Fail(const char* text) {
    ShowErrorBox(text, "Init Error");
    return E_FAIL;
}

}  // namespace

HRESULT CTalvoScene0001::InitResources() {
    CTalvoScene::InitResources();
    PrepareDrawing();

    const auto image = assets::BackdropImage();
    if (Failed(GraphicsDevice->CreateTextureFromPngInMemory(image.data(), image.size(), OpaqueBlack,
                                                            &BackdropTexture))) {
        BackdropTexture = nullptr;
        return Fail("Texture Loading Error - Program Exiting");
    }
    if (Failed(GraphicsDevice->CreateVertexBuffer(VertexBytes(CylinderVertexCount), 0, VertexFormat,
                                                  &BackdropVertexBuffer))) {
        return Fail("Vertex Creating Error - Program Exiting");
    }
    void* cylinder = nullptr;
    if (Failed(BackdropVertexBuffer->Lock(0, 0, &cylinder, 0))) {
        return Fail("Vertex Locking Error - Program Exiting");
    }
    WriteBackdropCylinder(static_cast<Vertex*>(cylinder));
    BackdropVertexBuffer->Unlock();

    if (Failed(GraphicsDevice->CreateVertexBuffer(VertexBytes(QuadVertexCount), 0, VertexFormat,
                                                  &QuadVertexBuffer))) {
        return Fail("Vertex Creating Error - Program Exiting");
    }
    SetQuadColors(OpaqueRed, OpaqueRed, OpaqueRed, OpaqueRed);

    ForEachObject([](Object3D* object) { object->Create(); });

    const uint32_t seed = timeGetTime() % 10000;
    Now = seed;
    LastFrameTime = seed;
    BackdropElapsed = seed;
    BackdropSegmentStart = seed;
    return S_OK;
}

// 200 columns of a bottom and a top vertex; column 199 lies on column 0 so the surface closes,
// while u stops short of 1 so the image is mapped once around.
void CTalvoScene0001::WriteBackdropCylinder(Vertex* vertices) const {
    for (uint32_t i = 0; i < CylinderColumns; ++i) {
        const float theta = static_cast<float>(i * f32::TwoPiWide / (CylinderColumns - 1));
        const float sine = f32::sin(theta);
        const float cosine = f32::cos(theta);
        const float u = static_cast<float>(i) / static_cast<float>(CylinderColumns);
        Vertex& bottom = vertices[2 * i];
        Vertex& top = vertices[2 * i + 1];
        bottom.Position = {CylinderRadius * sine, -CylinderHalfHeight, CylinderRadius * cosine};
        top.Position = {CylinderRadius * sine, CylinderHalfHeight, CylinderRadius * cosine};
        bottom.Normal = top.Normal = {sine, 0.0f, cosine};
        bottom.Diffuse = top.Diffuse = 0xFFFFFFFF;
        bottom.U = top.U = u;
        bottom.V = 1.0f;
        top.V = 0.0f;
    }
}

void CTalvoScene0001::SetQuadColors(uint32_t first, uint32_t second, uint32_t third,
                                    uint32_t fourth) {
    void* locked = nullptr;
    if (QuadVertexBuffer == nullptr || Failed(QuadVertexBuffer->Lock(0, 0, &locked, 0))) {
        return;
    }
    // The plane z = 50 from x = -70 to 20, y = -5 to 5, facing the eye; the normal's length of
    // 2 is part of how the quad is lit.
    const Vec3 normal{0.0f, 0.0f, -2.0f};
    Vertex* quad = static_cast<Vertex*>(locked);
    quad[0] = {{-70.0f, 5.0f, 50.0f}, normal, first, 0.0f, 0.0f};
    quad[1] = {{-70.0f, -5.0f, 50.0f}, normal, second, 0.0f, 1.0f};
    quad[2] = {{20.0f, 5.0f, 50.0f}, normal, third, 1.0f, 0.0f};
    quad[3] = {{20.0f, -5.0f, 50.0f}, normal, fourth, 1.0f, 1.0f};
    QuadVertexBuffer->Unlock();
}
