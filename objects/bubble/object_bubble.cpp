#include "objects/bubble/object_bubble.h"

#include "geometry/build_constants.h"
#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/eye_facing.h"
#include "platform/crt_random.h"
#include "platform/process_globals.h"

ObjectBubble::ObjectBubble(uint32_t segmentCount, float radius, float shellThickness,
                           float burstSize, uint32_t outerColor, uint32_t innerColor)
    : SegmentCount(segmentCount),
      Radius(radius),
      ShellThickness(shellThickness),
      OuterColor(outerColor),
      InnerColor(innerColor),
      BurstSize(burstSize),
      SpokeRadii(segmentCount) {}

ObjectBubble::~ObjectBubble() {
    ReleaseBuffers(Buffers());
    ReleaseTexture(BurstTexture);
}

ObjectBubble::BufferSlots ObjectBubble::Buffers() {
    // Room for 4 n^2 vertices in each shell, of which the first n^2 are written.
    const uint32_t shellBytes = VertexBytes(4 * SegmentCount * SegmentCount);
    return {{{&BurstBuffer, VertexBytes(4)},
             {&OuterShellBuffer, shellBytes},
             {&InnerShellBuffer, shellBytes}}};
}

HRESULT ObjectBubble::Create() {
    if (Failed(CreateBurstTexture()) || Failed(CreateBuffers())) {
        return E_FAIL;
    }
    LightIndex = static_cast<uint32_t>(NextLightIndex++);
    Built = true;
    return S_OK;
}

HRESULT ObjectBubble::CreateBurstTexture() {
    return CreateFilledTexture(
        BurstTextureSize, &BurstTexture,
        [this](const gfx::LockedRect& locked) { FillBurstTexture(locked, BurstTextureSize); });
}

HRESULT ObjectBubble::CreateBuffers() {
    const BufferSlots slots = Buffers();
    std::array<Vertex*, 3> vertices{};
    if (Failed(CreateLockedBuffers(slots, vertices))) {
        return E_FAIL;
    }
    BuildBurstQuad(vertices[0]);
    BuildShells(vertices[1], vertices[2]);
    UnlockBuffers(slots);
    return S_OK;
}

int32_t ObjectBubble::Update() {
    // Without an index of its own the bubble would reprogram the scene's light 0.
    if (LightIndex == 0) {
        return 0;
    }
    gfx::Light light;
    light.Type = gfx::LightType::Point;
    light.Diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    const Matrix4 place = MatrixMultiply(MatrixTranslation(0.0f, 0.0f, -BurstSize), Translation);
    const Vec4 position = Vec3Transform({0.0f, 0.0f, 0.0f}, place);
    light.Position = {position.x, position.y, position.z};
    light.Range = 100.0f;
    light.Attenuation2 = 0.001f;
    GraphicsDevice->SetLight(LightIndex, &light);
    GraphicsDevice->LightEnable(LightIndex, HasBurst);
    return 0;
}

int32_t ObjectBubble::Render(uint32_t time) {
    const Matrix4 world = GetWorld();
    GraphicsDevice->SetTransform(gfx::TransformState::World, &world);
    GraphicsDevice->SetFVF(VertexFormat);
    if (!Built) {
        return 0;
    }
    if (!HasBurst) {
        DrawShells();
        return 0;
    }
    if (time - BurstStart >= SplashDuration) {
        return 0;
    }
    if (time - LastRegenTime > SplashRefreshInterval || time == LastRegenTime) {
        gfx::LockedRect locked;
        if (Failed(LockWholeTexture(BurstTexture, BurstTextureSize, &locked))) {
            return E_FAIL;
        }
        FillBurstTexture(locked, BurstTextureSize);
        BurstTexture->UnlockRect(0);
        LastRegenTime = time;
    }
    DrawSplash();
    return 0;
}

void ObjectBubble::Burst(uint32_t time) {
    if (HasBurst) {
        return;
    }
    HasBurst = true;
    BurstStart = time;
    LastRegenTime = time;
}

// The last six triangles of each strip stay undrawn.
void ObjectBubble::DrawShells() const {
    const uint32_t vertices = SegmentCount * SegmentCount;
    const uint32_t triangles = vertices > 8 ? vertices - 8 : 0;
    for (gfx::VertexBuffer* shell : {OuterShellBuffer, InnerShellBuffer}) {
        GraphicsDevice->SetStreamSource(0, shell, 0, VertexStride);
        GraphicsDevice->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, triangles);
    }
}

// The sprite ignores the bubble's rotation: pushed 2 BurstSize towards the eye, turned to face
// it, then moved with the bubble.
void ObjectBubble::DrawSplash() const {
    const EyeFacing facing = FacingTheEye(Translation);
    Matrix4 splash = MatrixTranslation(0.0f, 0.0f, -2.0f * BurstSize);
    splash = MatrixMultiply(splash, MatrixRotationY(facing.Yaw));
    splash = MatrixMultiply(splash, MatrixRotationX(facing.Pitch));
    splash = MatrixMultiply(splash, Translation);
    GraphicsDevice->SetTransform(gfx::TransformState::World, &splash);
    GraphicsDevice->SetTexture(0, BurstTexture);

    UseAdditiveStage();
    GraphicsDevice->SetStreamSource(0, BurstBuffer, 0, VertexStride);
    GraphicsDevice->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 2);
    GraphicsDevice->SetTexture(0, nullptr);
}
