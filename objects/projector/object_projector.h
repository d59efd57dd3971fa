#pragma once

#include <array>
#include <cstdint>

#include "geometry/object3d.h"
#include "geometry/vertex.h"
#include "objects/object_resources.h"
#include "platform/graphics_device.h"
#include "platform/result.h"

// A spotlight: a cylindrical can open towards -z with a glowing lens just inside the opening,
// four barn doors flaring out around it, a translucent beam thrown forward and a point light in
// the beam's colour in front of the opening.
class ObjectProjector : public Object3D {
public:
    ObjectProjector(uint32_t segmentCount, float canRadius, float lightDistance, float canLength,
                    uint32_t bodyColor, uint32_t lightColor, float aperture);
    ~ObjectProjector() override;

    HRESULT Create() override;
    int32_t Update() override;
    // The time is not used: a projector moves only through its matrices.
    int32_t Render(uint32_t time) override;

    // 0 until Create has succeeded: index 0 is the scene's own light.
    uint32_t GetLightIndex() const { return LightIndex; }

    static constexpr uint32_t BeamTextureSize = 128;
    // How far in front of the opening the beam reaches.
    static constexpr float BeamLength = 800.0f;

private:
    // The eleven buffers in creation, lock and unlock order.
    using BufferSlots = std::array<BufferSlot, 11>;

    BufferSlots Buffers();
    bool LengthsFit() const;
    HRESULT CreateBeamTexture();
    HRESULT CreateBuffers();

    void BuildBeam(Vertex* beam) const;
    void BuildDoors(Vertex* top, Vertex* right, Vertex* bottom, Vertex* left) const;
    void BuildCan(Vertex* outer, Vertex* frontRing, Vertex* backCap, Vertex* innerWall,
                  Vertex* innerBack, Vertex* lens) const;
    void FillBeamTexture(const gfx::LockedRect& locked, uint32_t size) const;

    void DrawBeam(const Matrix4& world) const;
    void DrawStrip(gfx::VertexBuffer* buffer, uint32_t triangles) const;

    uint32_t SegmentCount;
    float CanRadius;
    float LightDistance;
    float CanLength;
    uint32_t BodyColor;
    uint32_t LightColor;
    float Aperture;
    gfx::VertexBuffer* OuterWallBuffer = nullptr;
    gfx::VertexBuffer* FrontRingBuffer = nullptr;
    gfx::VertexBuffer* BackCapBuffer = nullptr;
    gfx::VertexBuffer* InnerWallBuffer = nullptr;
    gfx::VertexBuffer* InnerBackBuffer = nullptr;
    gfx::VertexBuffer* LensBuffer = nullptr;
    gfx::VertexBuffer* TopDoorBuffer = nullptr;
    gfx::VertexBuffer* RightDoorBuffer = nullptr;
    gfx::VertexBuffer* BottomDoorBuffer = nullptr;
    gfx::VertexBuffer* LeftDoorBuffer = nullptr;
    gfx::VertexBuffer* BeamBuffer = nullptr;
    gfx::Texture* BeamTexture = nullptr;
    uint32_t LightIndex = 0;
    // Set once every buffer is filled: buffers made by a Create that failed hold no vertices.
    bool Built = false;
};
