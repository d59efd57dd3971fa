#pragma once

#include <array>
#include <cstdint>

#include "geometry/object3d.h"
#include "geometry/vertex.h"
#include "objects/object_resources.h"
#include "platform/graphics_device.h"
#include "platform/result.h"

// A cube whose front face (z = 0, facing -z) opens into a hemispherical hollow, with a yellow
// point light hanging LightDistance in front of it and, while that light is on, a star-shaped
// glow sprite turned towards the eye further out. Shapes and texture are built once, in Create.
class ObjectConcavBox final : public Object3D {
public:
    ObjectConcavBox(uint32_t SegmentCount, float HoleRadius, float HalfSize, float LightDistance,
                    uint32_t InnerColor, uint32_t OuterColor);
    ~ObjectConcavBox() override;

    HRESULT Create() override;
    int32_t Update() override;
    int32_t Render(uint32_t time) override;

    // Render follows the switch at once, the light at the next Update.
    void SetLightEnabled(bool on) { LightEnabled = on; }
    bool IsLightEnabled() const { return LightEnabled; }

    // 0 until Create has succeeded: index 0 is the scene's own light.
    uint32_t GetLightIndex() const { return LightIndex; }
    const gfx::Texture* GetGlowTexture() const { return GlowTexture; }
    const gfx::VertexBuffer* GetFrontFaceBuffer() const { return FrontFaceBuffer; }
    const gfx::VertexBuffer* GetHollowBuffer() const { return HollowBuffer; }
    const gfx::VertexBuffer* GetWallBuffer() const { return WallBuffer; }
    const gfx::VertexBuffer* GetBackFaceBuffer() const { return BackFaceBuffer; }
    const gfx::VertexBuffer* GetGlowBuffer() const { return GlowBuffer; }

    static constexpr uint32_t GlowTextureSize = 128;

private:
    // The five buffers in creation and lock order, with their lengths in bytes.
    using BufferSlots = std::array<BufferSlot, 5>;

    BufferSlots Buffers();
    HRESULT CreateGlowTexture();
    HRESULT CreateBuffers();
    void DrawStrip(gfx::VertexBuffer* buffer, uint32_t triangles) const;
    void DrawGlow() const;

    // Geometry, each writing one locked buffer.
    void BuildGlowQuad(Vertex* vertices) const;
    void BuildFrontFace(Vertex* vertices) const;
    void BuildHollow(Vertex* vertices) const;
    void BuildWalls(Vertex* vertices) const;
    void BuildBackFace(Vertex* vertices) const;
    Vertex FaceVertex(float x, float y, float z, uint32_t color) const;

    uint32_t SegmentCount;
    float HoleRadius;
    float HalfSize;
    float LightDistance;
    uint32_t InnerColor;
    uint32_t OuterColor;
    gfx::VertexBuffer* FrontFaceBuffer = nullptr;
    gfx::VertexBuffer* HollowBuffer = nullptr;
    gfx::VertexBuffer* WallBuffer = nullptr;
    gfx::VertexBuffer* BackFaceBuffer = nullptr;
    gfx::VertexBuffer* GlowBuffer = nullptr;
    gfx::Texture* GlowTexture = nullptr;
    uint32_t LightIndex = 0;
    bool LightEnabled = false;
    // Set once texture and buffers are filled: until then there is nothing to draw or bind.
    bool Built = false;
};
