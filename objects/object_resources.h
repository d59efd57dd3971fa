#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "geometry/vertex.h"
#include "platform/graphics_device.h"
#include "platform/result.h"

// The device resources every kind of object makes in Create the same way: its vertex buffers,
// created and locked whole in a fixed order, and generated textures filled once.

// A vertex buffer an object owns, with the length it is made with.
struct BufferSlot {
    gfx::VertexBuffer** Buffer;
    uint32_t Length;
};

// Creates the buffers in order (usage 0, the one vertex format), then locks each one whole in
// order, with vertices[i] pointing at buffer i's. E_FAIL at the first call that fails, leaving what
// was made, and locked, as it is.
HRESULT CreateLockedBuffers(std::span<const BufferSlot> slots, std::span<Vertex*> vertices);
void UnlockBuffers(std::span<const BufferSlot> slots);
// Releases the buffers that exist.
void ReleaseBuffers(std::span<const BufferSlot> slots);

// A square dynamic 32-bit texture with a full mip chain, its level 0 filled once by fill.
// E_FAIL when the creation or the lock fails.
HRESULT CreateFilledTexture(uint32_t size, gfx::Texture** texture,
                            const std::function<void(const gfx::LockedRect&)>& fill);
// Locks level 0 of a square texture whole.
HRESULT LockWholeTexture(gfx::Texture* texture, uint32_t size, gfx::LockedRect* locked);
// Releases a texture that exists.
void ReleaseTexture(gfx::Texture* texture);

// Texture stage 0 as every sprite is drawn: texture plus diffuse, for alpha and for colour.
inline constexpr gfx::TextureStageSetup AdditiveStage{
    gfx::TextureOpAdd, gfx::TextureArgTexture, gfx::TextureArgDiffuse,
    gfx::TextureOpAdd, gfx::TextureArgTexture, gfx::TextureArgDiffuse};
// Sets AdditiveStage, alpha first. The states stay so afterwards, for whatever is drawn next.
void UseAdditiveStage();
