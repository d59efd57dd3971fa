#include "objects/projector/object_projector.h"

#include <limits>
#include <tuple>

#include "platform/process_globals.h"

ObjectProjector::ObjectProjector(uint32_t segmentCount, float canRadius, float lightDistance,
                                 float canLength, uint32_t bodyColor, uint32_t lightColor,
                                 float aperture)
    : SegmentCount(segmentCount),
      CanRadius(canRadius),
      LightDistance(lightDistance),
      CanLength(canLength),
      BodyColor(bodyColor),
      LightColor(lightColor),
      Aperture(aperture) {}

ObjectProjector::~ObjectProjector() {
    ReleaseBuffers(Buffers());
    ReleaseTexture(BeamTexture);
}

ObjectProjector::BufferSlots ObjectProjector::Buffers() {
    const uint32_t ring = VertexBytes(2 * SegmentCount + 2);
    const uint32_t flap = VertexBytes(6);
    return {{{&BeamBuffer, VertexBytes(6)},
             {&OuterWallBuffer, ring},
             {&FrontRingBuffer, ring},
             {&BackCapBuffer, ring},
             {&InnerWallBuffer, ring},
             {&InnerBackBuffer, ring},
             {&LensBuffer, ring},
             {&TopDoorBuffer, flap},
             {&RightDoorBuffer, flap},
             {&BottomDoorBuffer, flap},
             {&LeftDoorBuffer, flap}}};
}

// A segment count whose ring length wraps in 32 bits would get buffers too small for the vertices
// written into them.
bool ObjectProjector::LengthsFit() const {
    const uint64_t n = SegmentCount;
    return (2 * n + 2) * VertexStride <= std::numeric_limits<uint32_t>::max();
}

HRESULT ObjectProjector::Create() {
    if (!LengthsFit() || Failed(CreateBeamTexture()) || Failed(CreateBuffers())) {
        return E_FAIL;
    }
    Built = true;
    LightIndex = static_cast<uint32_t>(NextLightIndex++);
    return S_OK;
}

HRESULT ObjectProjector::CreateBeamTexture() {
    return CreateFilledTexture(
        BeamTextureSize, &BeamTexture,
        [this](const gfx::LockedRect& locked) { FillBeamTexture(locked, BeamTextureSize); });
}

HRESULT ObjectProjector::CreateBuffers() {
    const BufferSlots slots = Buffers();
    std::array<Vertex*, std::tuple_size_v<BufferSlots>> vertices{};
    if (Failed(CreateLockedBuffers(slots, vertices))) {
        return E_FAIL;
    }
    BuildBeam(vertices[0]);
    BuildDoors(vertices[7], vertices[8], vertices[9], vertices[10]);
    BuildCan(vertices[1], vertices[2], vertices[3], vertices[4], vertices[5], vertices[6]);
    UnlockBuffers(slots);
    return S_OK;
}
