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
    for (const BufferSlot& slot : Buffers()) {
        if (*slot.Buffer != nullptr) {
            (*slot.Buffer)->Release();
        }
    }
    if (BeamTexture != nullptr) {
        BeamTexture->Release();
    }
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
    if (Failed(GraphicsDevice->CreateTexture(BeamTextureSize, BeamTextureSize, gfx::FullMipChain,
                                             gfx::UsageDynamic, gfx::Format::A8R8G8B8,
                                             &BeamTexture))) {
        return E_FAIL;
    }
    gfx::LockedRect locked;
    const gfx::Rect whole{0, 0, BeamTextureSize, BeamTextureSize};
    if (Failed(BeamTexture->LockRect(0, &locked, &whole, 0))) {
        return E_FAIL;
    }
    FillBeamTexture(locked, BeamTextureSize);
    BeamTexture->UnlockRect(0);
    return S_OK;
}

HRESULT ObjectProjector::CreateBuffers() {
    const BufferSlots slots = Buffers();
    for (const BufferSlot& slot : slots) {
        if (Failed(GraphicsDevice->CreateVertexBuffer(slot.Length, 0, VertexFormat, slot.Buffer))) {
            return E_FAIL;
        }
    }
    std::array<Vertex*, std::tuple_size_v<BufferSlots>> vertices{};
    for (size_t b = 0; b < slots.size(); ++b) {
        void* data = nullptr;
        if (Failed((*slots[b].Buffer)->Lock(0, 0, &data, 0))) {
            return E_FAIL;
        }
        vertices[b] = static_cast<Vertex*>(data);
    }
    BuildBeam(vertices[0]);
    BuildDoors(vertices[7], vertices[8], vertices[9], vertices[10]);
    BuildCan(vertices[1], vertices[2], vertices[3], vertices[4], vertices[5], vertices[6]);
    for (const BufferSlot& slot : slots) {
        (*slot.Buffer)->Unlock();
    }
    return S_OK;
}
