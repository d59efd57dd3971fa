#include "objects/camera/object_camera.h"

#include <limits>
#include <tuple>

#include "platform/process_globals.h"

ObjectCamera::ObjectCamera(uint32_t segmentCount, float lampRadius, float bodyHalfSide,
                           float bodyDepth, float glowSize, uint32_t bodyColor, uint32_t lampColor,
                           uint32_t blinkPeriod)
    : SegmentCount(segmentCount),
      LampRadius(lampRadius),
      LampOffset(bodyHalfSide / 2.0f),
      BodyHalfSide(bodyHalfSide),
      BodyDepth(bodyDepth),
      GlowSize(glowSize),
      BodyColor(bodyColor),
      LampColor(lampColor),
      BlinkPeriod(blinkPeriod) {}

ObjectCamera::~ObjectCamera() {
    ReleaseBuffers(Buffers());
    ReleaseTexture(GlowTexture);
}

ObjectCamera::BufferSlots ObjectCamera::Buffers() {
    const uint32_t n = SegmentCount;
    const uint32_t ring = VertexBytes(2 * n + 2);
    // Room for 2n^2 vertices although the dome writes only n^2 / 2.
    return {{{&GlowBuffer, VertexBytes(4)},
             {&FrontFaceBuffer, VertexBytes(4)},
             {&SideBuffer, VertexBytes(10)},
             {&BackFaceBuffer, VertexBytes(4)},
             {&OuterWallBuffer, ring},
             {&LensRimBuffer, ring},
             {&InnerWallBuffer, ring},
             {&GlassBuffer, ring},
             {&DomeBuffer, VertexBytes(2 * n * n)}}};
}

// A segment count whose buffer lengths wrap in 32 bits would get buffers too small for the
// vertices written into them.
bool ObjectCamera::LengthsFit() const {
    const uint64_t n = SegmentCount;
    const uint64_t limit = std::numeric_limits<uint32_t>::max();
    return (2 * n + 2) * VertexStride <= limit && 2 * n * n * VertexStride <= limit;
}

uint32_t ObjectCamera::DomeVertexCount() const {
    const uint32_t h = SegmentCount / 2;
    return 2 * h * h;
}

HRESULT ObjectCamera::Create() {
    if (!LengthsFit() || Failed(CreateGlowTexture()) || Failed(CreateBuffers())) {
        return E_FAIL;
    }
    Built = true;
    LightIndex = static_cast<uint32_t>(NextLightIndex++);
    return S_OK;
}

HRESULT ObjectCamera::CreateGlowTexture() {
    return CreateFilledTexture(
        GlowTextureSize, &GlowTexture,
        [this](const gfx::LockedRect& locked) { FillGlowTexture(locked, GlowTextureSize); });
}

HRESULT ObjectCamera::CreateBuffers() {
    const BufferSlots slots = Buffers();
    std::array<Vertex*, std::tuple_size_v<BufferSlots>> vertices{};
    if (Failed(CreateLockedBuffers(slots, vertices))) {
        return E_FAIL;
    }
    BuildGlowQuad(vertices[0]);
    BuildBody(vertices[1], vertices[2], vertices[3]);
    BuildLens(vertices[4], vertices[5], vertices[6], vertices[7]);
    BuildLampDome(vertices[8]);
    UnlockBuffers(slots);
    return S_OK;
}
