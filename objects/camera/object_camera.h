#pragma once

#include <array>
#include <cstdint>

#include "geometry/matrix4.h"
#include "geometry/object3d.h"
#include "geometry/vertex.h"
#include "objects/object_resources.h"
#include "platform/graphics_device.h"
#include "platform/result.h"

// A camera-shaped rig: a dark box body, a lens barrel with tinted glass standing out of its front
// face (towards -z) and, in the upper right corner of that face, a lamp that blinks, lights its
// surroundings in its own colour and glows through a sprite turned towards the eye.
class ObjectCamera : public Object3D {
public:
    ObjectCamera(uint32_t segmentCount, float lampRadius, float bodyHalfSide, float bodyDepth,
                 float glowSize, uint32_t bodyColor, uint32_t lampColor, uint32_t blinkPeriod);
    ~ObjectCamera() override;

    HRESULT Create() override;
    int32_t Update() override;
    // E_FAIL when the glow texture cannot be refilled; the geometry is drawn all the same.
    int32_t Render(uint32_t time) override;
    // Lamp brightness in 0 .. 1 at the time of the latest Render.
    virtual float GetBlinkLevel();

    // 0 until Create has succeeded: index 0 is the scene's own light.
    uint32_t GetLightIndex() const { return LightIndex; }
    float GetLampOffset() const { return LampOffset; }
    uint32_t GetCycleStart() const { return CycleStart; }
    uint32_t GetLastRegenTime() const { return LastRegenTime; }
    uint32_t GetLastRenderTime() const { return LastRenderTime; }

    static constexpr uint32_t GlowTextureSize = 128;
    // Scene time between two refills of the glow texture, in milliseconds.
    static constexpr uint32_t GlowRefillInterval = 40;

private:
    // The nine buffers in creation, lock and unlock order.
    using BufferSlots = std::array<BufferSlot, 9>;

    BufferSlots Buffers();
    bool LengthsFit() const;
    HRESULT CreateGlowTexture();
    HRESULT CreateBuffers();
    uint32_t DomeVertexCount() const;

    void BuildGlowQuad(Vertex* quad) const;
    void BuildBody(Vertex* front, Vertex* side, Vertex* back) const;
    void BuildLens(Vertex* outer, Vertex* rim, Vertex* inner, Vertex* glass) const;
    void BuildLampDome(Vertex* dome) const;
    Vertex DomeVertex(float theta, float phi, uint32_t diffuse) const;
    void FillGlowTexture(const gfx::LockedRect& locked, uint32_t size);

    void AdvanceBlink(uint32_t time);
    HRESULT RefillGlow(uint32_t time);
    void DrawGeometry() const;
    // Where Render puts the glow sprite for the current matrices.
    Matrix4 GetGlowWorld() const;
    void DrawGlow() const;
    void DrawStrip(gfx::VertexBuffer* buffer, uint32_t triangles) const;

    uint32_t SegmentCount;
    float LampRadius;
    float LampOffset;
    float BodyHalfSide;
    float BodyDepth;
    float GlowSize;
    uint32_t BodyColor;
    uint32_t LampColor;
    uint32_t BlinkPeriod;
    gfx::VertexBuffer* FrontFaceBuffer = nullptr;
    gfx::VertexBuffer* SideBuffer = nullptr;
    gfx::VertexBuffer* BackFaceBuffer = nullptr;
    gfx::VertexBuffer* OuterWallBuffer = nullptr;
    gfx::VertexBuffer* LensRimBuffer = nullptr;
    gfx::VertexBuffer* InnerWallBuffer = nullptr;
    gfx::VertexBuffer* GlassBuffer = nullptr;
    gfx::VertexBuffer* DomeBuffer = nullptr;
    gfx::VertexBuffer* GlowBuffer = nullptr;
    gfx::Texture* GlowTexture = nullptr;
    uint32_t LightIndex = 0;
    uint32_t CycleStart = 0;
    uint32_t LastRegenTime = 0;
    uint32_t LastRenderTime = 0;
    // Set once every buffer is filled: buffers made by a Create that failed hold no vertices.
    bool Built = false;
};
