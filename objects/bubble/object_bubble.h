#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/object3d.h"
#include "geometry/vertex.h"
#include "objects/object_resources.h"
#include "platform/graphics_device.h"
#include "platform/result.h"

// A translucent sphere of two concentric shells. When burst it stops drawing the shells, flashes
// a random splash sprite facing the eye for 100 ms, and keeps a white point light on in front of
// it for the rest of the run. A bubble bursts once.
class ObjectBubble final : public Object3D {
public:
    ObjectBubble(uint32_t SegmentCount, float Radius, float ShellThickness, float BurstSize,
                 uint32_t OuterColor, uint32_t InnerColor);
    ~ObjectBubble() override;

    HRESULT Create() override;
    int32_t Update() override;
    // E_FAIL when the splash texture cannot be locked for a refill; the next frame retries.
    int32_t Render(uint32_t time) override;
    // Only the first call counts.
    void Burst(uint32_t time);

    bool HasBurstStarted() const { return HasBurst; }
    // 0 until Create has succeeded: index 0 is the scene's own light.
    uint32_t GetLightIndex() const { return LightIndex; }
    const gfx::VertexBuffer* GetOuterShellBuffer() const { return OuterShellBuffer; }
    const gfx::VertexBuffer* GetInnerShellBuffer() const { return InnerShellBuffer; }
    const gfx::VertexBuffer* GetBurstBuffer() const { return BurstBuffer; }
    const gfx::Texture* GetBurstTexture() const { return BurstTexture; }

    static constexpr uint32_t BurstTextureSize = 128;
    // How long the splash shows, and how old its texels may get before they are redrawn (ms).
    static constexpr uint32_t SplashDuration = 100;
    static constexpr uint32_t SplashRefreshInterval = 30;

private:
    HRESULT CreateBurstTexture();
    // The three buffers in creation, lock and unlock order.
    using BufferSlots = std::array<BufferSlot, 3>;
    BufferSlots Buffers();
    HRESULT CreateBuffers();
    // A new random splash in size x size texels: SegmentCount spokes of random length, about one
    // texel in five kept, fading out towards the rim.
    void FillBurstTexture(const gfx::LockedRect& locked, uint32_t size);
    uint32_t SplashTexel(int32_t i, int32_t j, int32_t half) const;
    void BuildShells(Vertex* outer, Vertex* inner) const;
    void BuildBurstQuad(Vertex* vertices) const;
    Vertex ShellVertex(float theta, float phi, bool outer) const;
    void DrawShells() const;
    void DrawSplash() const;

    uint32_t SegmentCount;
    float Radius;
    float ShellThickness;
    uint32_t OuterColor;
    uint32_t InnerColor;
    float BurstSize;
    gfx::VertexBuffer* OuterShellBuffer = nullptr;
    gfx::VertexBuffer* InnerShellBuffer = nullptr;
    gfx::VertexBuffer* BurstBuffer = nullptr;
    gfx::Texture* BurstTexture = nullptr;
    uint32_t LightIndex = 0;
    bool HasBurst = false;
    uint32_t BurstStart = 0;
    uint32_t LastRegenTime = 0;
    // Made once so that refilling the splash while it shows allocates nothing.
    std::vector<uint32_t> SpokeRadii;
    // Set once texture and buffers are filled: until then there is nothing to draw or bind.
    bool Built = false;
};
