#include "platform/windows/d3d9_texture.h"

#include "platform/windows/win32.h"

#include <d3d9.h>

namespace gfx {
namespace {

D3DSURFACE_DESC LevelZero(IDirect3DTexture9* texture) {
    D3DSURFACE_DESC description{};
    texture->GetLevelDesc(0, &description);
    return description;
}

}  // namespace

HRESULT D3d9Texture::LockRect(uint32_t level, LockedRect* locked, const Rect* rect,
                              uint32_t flags) {
    if (locked == nullptr) {
        return E_FAIL;
    }
    RECT area{};
    if (rect != nullptr) {
        area = {rect->Left, rect->Top, rect->Right, rect->Bottom};
    }
    D3DLOCKED_RECT native{};
    const HRESULT result =
        Native->LockRect(level, &native, rect != nullptr ? &area : nullptr, flags);
    if (Succeeded(result)) {
        locked->Pitch = native.Pitch;
        locked->Bits = native.pBits;
    }
    return result;
}

HRESULT D3d9Texture::UnlockRect(uint32_t level) { return Native->UnlockRect(level); }

uint32_t D3d9Texture::Width() const { return LevelZero(Native).Width; }

uint32_t D3d9Texture::Height() const { return LevelZero(Native).Height; }

uint32_t D3d9Texture::LevelCount() const { return Native->GetLevelCount(); }

void D3d9Texture::Release() {
    Native->Release();
    delete this;
}

}  // namespace gfx
