#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/projector/object_projector.h"
#include "platform/process_globals.h"

namespace {

float Channel(uint32_t color, int shift) {
    return static_cast<float>((color >> shift) & 0xFF) / 255.0f;
}

// Turn of beam quarter m about the axis: 7 pi / 4, 5 pi / 4, 3 pi / 4, pi / 4.
float QuarterAngle(int m) {
    constexpr double eighthTurn = static_cast<double>(f32::Pi / 4);
    return static_cast<float>((4 - m) * f32::TwoPiWide / 4 - eighthTurn);
}

}  // namespace

int32_t ObjectProjector::Update() {
    // Without an index of its own the projector would reprogram the scene's light 0.
    if (LightIndex == 0) {
        return 0;
    }
    const gfx::ColorValue color{Channel(LightColor, 16), Channel(LightColor, 8),
                                Channel(LightColor, 0), 0.0f};
    gfx::Light light;
    light.Type = gfx::LightType::Point;
    light.Diffuse = color;
    light.Specular = color;
    light.Ambient = color;
    light.Range = 50.0f;
    light.Attenuation2 = 0.0001f;
    const Vec4 position = Vec3Transform({0.0f, 0.0f, -LightDistance}, GetWorld());
    light.Position = {position.x, position.y, position.z};
    GraphicsDevice->SetLight(LightIndex, &light);
    GraphicsDevice->LightEnable(LightIndex, true);
    return 0;
}

int32_t ObjectProjector::Render(uint32_t) {
    const Matrix4 world = GetWorld();
    GraphicsDevice->SetTransform(gfx::TransformState::World, &world);
    GraphicsDevice->SetFVF(VertexFormat);
    const uint32_t ring = 2 * SegmentCount;
    DrawStrip(OuterWallBuffer, ring);
    DrawStrip(FrontRingBuffer, ring);
    DrawStrip(BackCapBuffer, ring);
    DrawStrip(InnerWallBuffer, ring);
    DrawStrip(InnerBackBuffer, ring);
    DrawStrip(LensBuffer, ring);
    DrawStrip(TopDoorBuffer, 4);
    DrawStrip(RightDoorBuffer, 4);
    DrawStrip(BottomDoorBuffer, 4);
    DrawStrip(LeftDoorBuffer, 4);
    DrawBeam(world);
    return 0;
}

// Four copies of the quarter turned about the projector's axis: seen along the axis, an X of
// translucent half-planes. The world transform stays at the last copy's matrix.
void ObjectProjector::DrawBeam(const Matrix4& world) const {
    if (BeamTexture != nullptr) {
        GraphicsDevice->SetTexture(0, BeamTexture);
    }
    UseAdditiveStage();
    for (int m = 0; m < 4; ++m) {
        const Matrix4 quarter = MatrixMultiply(MatrixRotationZ(QuarterAngle(m)), world);
        GraphicsDevice->SetTransform(gfx::TransformState::World, &quarter);
        DrawStrip(BeamBuffer, 4);
    }
    GraphicsDevice->SetTexture(0, nullptr);
}

// Buffers of a Create that failed were never filled: they are left out, as are missing ones.
void ObjectProjector::DrawStrip(gfx::VertexBuffer* buffer, uint32_t triangles) const {
    if (!Built) {
        return;
    }
    GraphicsDevice->SetStreamSource(0, buffer, 0, VertexStride);
    GraphicsDevice->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, triangles);
}
