#include "objects/concave_box/object_concav_box.h"

#include "geometry/build_constants.h"
#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/concave_box/glow_texture.h"
#include "objects/eye_facing.h"
#include "platform/process_globals.h"

ObjectConcavBox::ObjectConcavBox(uint32_t segmentCount, float holeRadius, float halfSize,
                                 float lightDistance, uint32_t innerColor, uint32_t outerColor)
    : SegmentCount(segmentCount),
      HoleRadius(holeRadius),
      HalfSize(halfSize),
      LightDistance(lightDistance),
      InnerColor(innerColor),
      OuterColor(outerColor) {}

ObjectConcavBox::~ObjectConcavBox() {
    ReleaseBuffers(Buffers());
    ReleaseTexture(GlowTexture);
}

ObjectConcavBox::BufferSlots ObjectConcavBox::Buffers() {
    const uint32_t n = SegmentCount;
    return {{{&GlowBuffer, VertexBytes(4)},
             {&FrontFaceBuffer, VertexBytes(2 * n + 2)},
             // Four times what the hollow needs, plus 2n vertices: the size it has always had.
             {&HollowBuffer, VertexBytes(2 * n * (n + 1))},
             {&WallBuffer, VertexBytes(10)},
             {&BackFaceBuffer, VertexBytes(4)}}};
}

HRESULT ObjectConcavBox::Create() {
    if (Failed(CreateGlowTexture()) || Failed(CreateBuffers())) {
        return E_FAIL;
    }
    LightIndex = static_cast<uint32_t>(NextLightIndex++);
    Built = true;
    return S_OK;
}

HRESULT ObjectConcavBox::CreateGlowTexture() {
    return CreateFilledTexture(
        GlowTextureSize, &GlowTexture,
        [this](const gfx::LockedRect& locked) { FillGlowTexture(locked, GlowTextureSize); });
}

HRESULT ObjectConcavBox::CreateBuffers() {
    const BufferSlots slots = Buffers();
    std::array<Vertex*, 5> vertices{};
    if (Failed(CreateLockedBuffers(slots, vertices))) {
        return E_FAIL;
    }
    BuildGlowQuad(vertices[0]);
    BuildFrontFace(vertices[1]);
    BuildHollow(vertices[2]);
    BuildWalls(vertices[3]);
    BuildBackFace(vertices[4]);
    UnlockBuffers(slots);
    return S_OK;
}

int32_t ObjectConcavBox::Update() {
    // Without an index of its own the box would reprogram the scene's light 0.
    if (LightIndex == 0) {
        return 0;
    }
    gfx::Light light;
    light.Type = gfx::LightType::Point;
    light.Diffuse = {1.0f, 1.0f, 0.0f, 0.0f};
    light.Specular = {1.0f, 1.0f, 0.0f, 0.0f};
    light.Ambient = {0.2f, 0.2f, 0.0f, 0.0f};
    const Matrix4 place =
        MatrixMultiply(MatrixTranslation(0.0f, 0.0f, -LightDistance), Translation);
    const Vec4 position = Vec3Transform({0.0f, 0.0f, 0.0f}, place);
    light.Position = {position.x, position.y, position.z};
    light.Range = 100.0f;
    light.Attenuation2 = 0.001f;
    GraphicsDevice->SetLight(LightIndex, &light);
    GraphicsDevice->LightEnable(LightIndex, LightEnabled);
    return 0;
}

int32_t ObjectConcavBox::Render(uint32_t) {
    const Matrix4 world = GetWorld();
    GraphicsDevice->SetTransform(gfx::TransformState::World, &world);
    GraphicsDevice->SetFVF(VertexFormat);
    if (Built) {
        const uint32_t n = SegmentCount;
        const uint32_t hollowVertices = (n / 2) * n;
        DrawStrip(FrontFaceBuffer, 2 * n);
        DrawStrip(HollowBuffer, hollowVertices > 2 ? hollowVertices - 2 : 0);
        DrawStrip(WallBuffer, 8);
        DrawStrip(BackFaceBuffer, 2);
        if (LightEnabled) {
            DrawGlow();
        }
    }
    GraphicsDevice->SetTexture(0, nullptr);
    return 0;
}

void ObjectConcavBox::DrawStrip(gfx::VertexBuffer* buffer, uint32_t triangles) const {
    GraphicsDevice->SetStreamSource(0, buffer, 0, VertexStride);
    GraphicsDevice->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, triangles);
}

// The glow ignores the box's rotation: it faces the eye from twice the light's distance.
void ObjectConcavBox::DrawGlow() const {
    const EyeFacing facing = FacingTheEye(Translation);
    const Matrix4 turn = MatrixMultiply(MatrixRotationY(facing.Yaw), MatrixRotationX(facing.Pitch));
    const Matrix4 pushed =
        MatrixMultiply(MatrixTranslation(0.0f, 0.0f, -2.0f * LightDistance), turn);
    const Matrix4 glow = MatrixMultiply(pushed, Translation);
    GraphicsDevice->SetTransform(gfx::TransformState::World, &glow);
    GraphicsDevice->SetTexture(0, GlowTexture);

    UseAdditiveStage();
    DrawStrip(GlowBuffer, 2);
}
