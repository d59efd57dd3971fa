#pragma once

#include "platform/graphics_device.h"

struct IDirect3DVertexBuffer9;

namespace gfx {

// A Direct3D 9 vertex buffer behind the seam's buffer: the native calls, unchanged.
class D3d9VertexBuffer final : public VertexBuffer {
public:
    // Takes over the reference to buffer.
    explicit D3d9VertexBuffer(IDirect3DVertexBuffer9* buffer) : Native(buffer) {}

    HRESULT Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
    HRESULT Unlock() override;
    uint32_t Length() const override;
    void Release() override;

    IDirect3DVertexBuffer9* Buffer9() const { return Native; }

private:
    ~D3d9VertexBuffer() override = default;

    IDirect3DVertexBuffer9* Native;
};

}  // namespace gfx
