#pragma once

#include "platform/graphics_device.h"

struct IDirect3DTexture9;

namespace gfx {

// A Direct3D 9 texture behind the seam's texture: the native calls, unchanged.
class D3d9Texture final : public Texture {
public:
    // Takes over the reference to texture.
    explicit D3d9Texture(IDirect3DTexture9* texture) : Native(texture) {}

    HRESULT LockRect(uint32_t level, LockedRect* locked, const Rect* rect, uint32_t flags) override;
    HRESULT UnlockRect(uint32_t level) override;
    uint32_t Width() const override;
    uint32_t Height() const override;
    uint32_t LevelCount() const override;
    void Release() override;

    IDirect3DTexture9* Texture9() const { return Native; }

private:
    ~D3d9Texture() override = default;

    IDirect3DTexture9* Native;
};

}  // namespace gfx
