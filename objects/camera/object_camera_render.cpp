#include <cmath>

#include "geometry/build_constants.h"
#include "geometry/float_math.h"
#include "geometry/matrix_math.h"
#include "objects/camera/object_camera.h"
#include "objects/eye_facing.h"
#include "platform/process_globals.h"

namespace {

float Channel(uint32_t color, int shift) {
    return static_cast<float>((color >> shift) & 0xFF) / 255.0f;
}

}  // namespace

float ObjectCamera::GetBlinkLevel() {
    if (BlinkPeriod == 0) {
        return 0.0f;
    }
    const uint32_t elapsed = LastRenderTime - CycleStart;
    const auto angle =
        static_cast<float>(static_cast<double>(elapsed) / BlinkPeriod * 2 * f32::PiWide);
    return static_cast<float>((std::sin(static_cast<double>(angle)) + 1) / 2);
}

int32_t ObjectCamera::Update() {
    // Without an index of its own the camera would reprogram the scene's light 0.
    if (LightIndex == 0) {
        return 0;
    }
    const float level = GetBlinkLevel();
    const gfx::ColorValue color{Channel(LampColor, 16) * level, Channel(LampColor, 8) * level,
                                Channel(LampColor, 0) * level, 0.0f};
    gfx::Light light;
    light.Type = gfx::LightType::Point;
    light.Diffuse = color;
    light.Specular = color;
    light.Ambient = color;
    light.Range = 50.0f;
    light.Attenuation2 = 0.01f;
    // Inside the body, 10 behind the lamp, turning with the object.
    const Vec4 position = Vec3Transform({LampOffset, LampOffset, 10.0f}, GetWorld());
    light.Position = {position.x, position.y, position.z};
    GraphicsDevice->SetLight(LightIndex, &light);
    GraphicsDevice->LightEnable(LightIndex, true);
    return 0;
}

int32_t ObjectCamera::Render(uint32_t time) {
    AdvanceBlink(time);
    const Matrix4 world = GetWorld();
    GraphicsDevice->SetTransform(gfx::TransformState::World, &world);
    GraphicsDevice->SetFVF(VertexFormat);
    DrawGeometry();
    const uint32_t sinceRefill = time - LastRegenTime;
    if (sinceRefill > GlowRefillInterval || sinceRefill == 0) {
        if (Failed(RefillGlow(time))) {
            return E_FAIL;
        }
    }
    DrawGlow();
    return 0;
}

// A cycle restarts on the first frame after a full period, so real cycles run up to one frame
// longer than the period.
void ObjectCamera::AdvanceBlink(uint32_t time) {
    LastRenderTime = time;
    if (time - CycleStart > BlinkPeriod || time == CycleStart) {
        CycleStart = time;
    }
}

HRESULT ObjectCamera::RefillGlow(uint32_t time) {
    gfx::LockedRect locked;
    if (GlowTexture == nullptr || Failed(LockWholeTexture(GlowTexture, GlowTextureSize, &locked))) {
        return E_FAIL;
    }
    FillGlowTexture(locked, GlowTextureSize);
    GlowTexture->UnlockRect(0);
    LastRegenTime = time;
    return S_OK;
}

void ObjectCamera::DrawGeometry() const {
    const uint32_t ring = 2 * SegmentCount;
    const uint32_t dome = DomeVertexCount();
    DrawStrip(FrontFaceBuffer, 2);
    DrawStrip(SideBuffer, 8);
    DrawStrip(BackFaceBuffer, 2);
    DrawStrip(InnerWallBuffer, ring);
    DrawStrip(OuterWallBuffer, ring);
    DrawStrip(LensRimBuffer, ring);
    DrawStrip(GlassBuffer, ring);
    DrawStrip(DomeBuffer, dome > 2 ? dome - 2 : 0);
}

// The sprite turns towards the eye from the object's position alone, whatever its rotation, and
// then moves to where the rotation has carried the lamp.
Matrix4 ObjectCamera::GetGlowWorld() const {
    const Vec4 lamp = Vec3Transform({LampOffset, LampOffset, 0.0f}, Rotation);
    const EyeFacing facing = FacingTheEye(Translation);
    Matrix4 glow = MatrixTranslation(0.0f, 0.0f, -4.0f * LampRadius);
    glow = MatrixMultiply(glow, MatrixRotationY(facing.Yaw));
    glow = MatrixMultiply(glow, MatrixRotationX(facing.Pitch));
    glow = MatrixMultiply(glow, Translation);
    return MatrixMultiply(glow, MatrixTranslation(lamp.x, lamp.y, lamp.z));
}

void ObjectCamera::DrawGlow() const {
    const Matrix4 glow = GetGlowWorld();
    GraphicsDevice->SetTransform(gfx::TransformState::World, &glow);
    if (GlowTexture != nullptr) {
        GraphicsDevice->SetTexture(0, GlowTexture);
    }
    UseAdditiveStage();
    DrawStrip(GlowBuffer, 2);
    GraphicsDevice->SetTexture(0, nullptr);
}

// Buffers of a Create that failed were never filled: they are left out, as are missing ones.
void ObjectCamera::DrawStrip(gfx::VertexBuffer* buffer, uint32_t triangles) const {
    if (!Built) {
        return;
    }
    GraphicsDevice->SetStreamSource(0, buffer, 0, VertexStride);
    GraphicsDevice->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, triangles);
}
