#include "objects/object_resources.h"

#include "platform/process_globals.h"

HRESULT CreateLockedBuffers(std::span<const BufferSlot> slots, std::span<Vertex*> vertices) {
    for (const BufferSlot& slot : slots) {
        if (Failed(GraphicsDevice->CreateVertexBuffer(slot.Length, 0, VertexFormat, slot.Buffer))) {
            return E_FAIL;
        }
    }
    for (size_t b = 0; b < slots.size(); ++b) {
        void* data = nullptr;
        if (Failed((*slots[b].Buffer)->Lock(0, 0, &data, 0))) {
            return E_FAIL;
        }
        vertices[b] = static_cast<Vertex*>(data);
    }
    return S_OK;
}

void UnlockBuffers(std::span<const BufferSlot> slots) {
    for (const BufferSlot& slot : slots) {
        (*slot.Buffer)->Unlock();
    }
}

void ReleaseBuffers(std::span<const BufferSlot> slots) {
    for (const BufferSlot& slot : slots) {
        if (*slot.Buffer != nullptr) {
            (*slot.Buffer)->Release();
        }
    }
}

HRESULT LockWholeTexture(gfx::Texture* texture, uint32_t size, gfx::LockedRect* locked) {
    const gfx::Rect whole{0, 0, static_cast<int32_t>(size), static_cast<int32_t>(size)};
    return texture->LockRect(0, locked, &whole, 0);
}

HRESULT CreateFilledTexture(uint32_t size, gfx::Texture** texture,
                            const std::function<void(const gfx::LockedRect&)>& fill) {
    if (Failed(GraphicsDevice->CreateTexture(size, size, gfx::FullMipChain, gfx::UsageDynamic,
                                             gfx::Format::A8R8G8B8, texture))) {
        return E_FAIL;
    }
    gfx::LockedRect locked;
    if (Failed(LockWholeTexture(*texture, size, &locked))) {
        return E_FAIL;
    }
    fill(locked);
    (*texture)->UnlockRect(0);
    return S_OK;
}

void UseAdditiveStage() {
    using gfx::TextureStageState;
    const gfx::TextureStageSetup& stage = AdditiveStage;
    GraphicsDevice->SetTextureStageState(0, TextureStageState::AlphaOp, stage.AlphaOp);
    GraphicsDevice->SetTextureStageState(0, TextureStageState::AlphaArg1, stage.AlphaArg1);
    GraphicsDevice->SetTextureStageState(0, TextureStageState::AlphaArg2, stage.AlphaArg2);
    GraphicsDevice->SetTextureStageState(0, TextureStageState::ColorOp, stage.ColorOp);
    GraphicsDevice->SetTextureStageState(0, TextureStageState::ColorArg1, stage.ColorArg1);
    GraphicsDevice->SetTextureStageState(0, TextureStageState::ColorArg2, stage.ColorArg2);
}

void ReleaseTexture(gfx::Texture* texture) {
    if (texture != nullptr) {
        texture->Release();
    }
}
