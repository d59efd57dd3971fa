#pragma once

#include <array>
#include <cstdint>

#include "geometry/object3d.h"
#include "geometry/vec3.h"
#include "geometry/vertex.h"
#include "objects/gear/tooth_shape.h"
#include "objects/object_resources.h"
#include "platform/graphics_device.h"
#include "platform/result.h"

// A flat spur gear wheel with a round bore, lying in z = 0 .. Thickness of its own frame. The
// whole shape is computed once, in Create, into four triangle strips: front face, bore wall,
// toothed rim and back face. It owns no light and keeps no state while drawing.
class ObjectGear final : public Object3D {
public:
    // Which part of a tooth an angle falls in; BeyondTooth only ever comes from rounding.
    enum class ToothPart { RootLand, RisingFlank, TipLand, FallingFlank, BeyondTooth };

    // A point of the tooth outline in the plane z = 0, with the rim's outward normal and the
    // radius its face texture coordinates are taken at.
    struct ProfilePoint {
        ToothPart Part = ToothPart::BeyondTooth;
        Vec3 Position;
        Vec3 Normal;
        float TextureRadius = 0.0f;
    };

    ObjectGear(uint32_t SegmentCount, float HubRadius, float RootRadius, float TipRadius,
               float Thickness, uint32_t ToothCount, uint32_t InnerColor, uint32_t OuterColor);
    ~ObjectGear() override;

    HRESULT Create() override;
    int32_t Update() override;
    int32_t Render(uint32_t time) override;

    const ToothShape& GetToothShape() const { return Shape; }
    // Angle of sample i (0 .. SegmentCount), as every buffer uses it.
    float SampleAngle(uint32_t i) const;
    // The outline at angle phi (0 .. 2 pi), by the first tooth part whose bounds contain it.
    ProfilePoint ProfileAt(float phi) const;

    const gfx::VertexBuffer* GetFrontFaceBuffer() const { return FrontFaceBuffer; }
    const gfx::VertexBuffer* GetBoreBuffer() const { return BoreBuffer; }
    const gfx::VertexBuffer* GetRimBuffer() const { return RimBuffer; }
    const gfx::VertexBuffer* GetBackFaceBuffer() const { return BackFaceBuffer; }

private:
    // The four locked buffers, in the order they are created, locked, drawn and released.
    using BufferSlots = std::array<BufferSlot, 4>;
    using VertexArrays = std::array<Vertex*, 4>;

    BufferSlots Buffers();
    uint32_t VerticesPerBuffer() const { return 2 * SegmentCount + 2; }
    ProfilePoint FlankPoint(float phi, float from, float to, bool rising) const;
    Vertex HubVertex(float phi, float z) const;
    void WriteSample(const VertexArrays& arrays, uint32_t i, float phi,
                     const ProfilePoint& q) const;
    void FillProfile(const VertexArrays& arrays) const;
    void FillRemainder(const VertexArrays& arrays, uint32_t firstUnwritten) const;

    uint32_t SegmentCount;
    float HubRadius;
    float RootRadius;
    float TipRadius;
    float Thickness;
    uint32_t ToothCount;
    uint32_t InnerColor;
    uint32_t OuterColor;
    gfx::VertexBuffer* FrontFaceBuffer = nullptr;
    gfx::VertexBuffer* BoreBuffer = nullptr;
    gfx::VertexBuffer* RimBuffer = nullptr;
    gfx::VertexBuffer* BackFaceBuffer = nullptr;
    ToothShape Shape;
    // Set once the four buffers hold the wheel: until then there is nothing to draw.
    bool Built = false;
};
