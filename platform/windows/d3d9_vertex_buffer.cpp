#include "platform/windows/d3d9_vertex_buffer.h"

#include "platform/windows/win32.h"

#include <d3d9.h>

namespace gfx {

HRESULT D3d9VertexBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) {
    return Native->Lock(offset, size, data, flags);
}

HRESULT D3d9VertexBuffer::Unlock() { return Native->Unlock(); }

uint32_t D3d9VertexBuffer::Length() const {
    D3DVERTEXBUFFER_DESC description{};
    Native->GetDesc(&description);
    return description.Size;
}

void D3d9VertexBuffer::Release() {
    Native->Release();
    delete this;
}

}  // namespace gfx
