#include "headless/draw_switch_device.h"

HRESULT DrawSwitchDevice::CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t format,
                                             gfx::VertexBuffer** buffer) {
    return Target->CreateVertexBuffer(length, usage, format, buffer);
}

HRESULT DrawSwitchDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t levels,
                                        uint32_t usage, gfx::Format format,
                                        gfx::Texture** texture) {
    return Target->CreateTexture(width, height, levels, usage, format, texture);
}

HRESULT DrawSwitchDevice::CreateTextureFromPngInMemory(const void* data, size_t size,
                                                       uint32_t colorKey, gfx::Texture** texture) {
    return Target->CreateTextureFromPngInMemory(data, size, colorKey, texture);
}

HRESULT DrawSwitchDevice::SetTransform(gfx::TransformState state, const Matrix4* matrix) {
    return Target->SetTransform(state, matrix);
}

HRESULT DrawSwitchDevice::SetLight(uint32_t index, const gfx::Light* light) {
    return Target->SetLight(index, light);
}

HRESULT DrawSwitchDevice::LightEnable(uint32_t index, bool enable) {
    return Target->LightEnable(index, enable);
}

HRESULT DrawSwitchDevice::SetRenderState(gfx::RenderState state, uint32_t value) {
    return Target->SetRenderState(state, value);
}

HRESULT DrawSwitchDevice::SetMaterial(const gfx::Material* material) {
    return Target->SetMaterial(material);
}

HRESULT DrawSwitchDevice::SetTexture(uint32_t stage, gfx::Texture* texture) {
    return Target->SetTexture(stage, texture);
}

HRESULT DrawSwitchDevice::SetTextureStageState(uint32_t stage, gfx::TextureStageState state,
                                               uint32_t value) {
    return Target->SetTextureStageState(stage, state, value);
}

HRESULT DrawSwitchDevice::SetStreamSource(uint32_t stream, gfx::VertexBuffer* buffer,
                                          uint32_t offset, uint32_t stride) {
    return Target->SetStreamSource(stream, buffer, offset, stride);
}

HRESULT DrawSwitchDevice::SetFVF(uint32_t format) { return Target->SetFVF(format); }

HRESULT DrawSwitchDevice::DrawPrimitive(gfx::PrimitiveType type, uint32_t startVertex,
                                        uint32_t primitiveCount) {
    return Drawing ? Target->DrawPrimitive(type, startVertex, primitiveCount) : S_OK;
}

HRESULT DrawSwitchDevice::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    return DropsPicture() ? S_OK : Target->Clear(flags, color, z, stencil);
}

HRESULT DrawSwitchDevice::BeginScene() { return Target->BeginScene(); }

HRESULT DrawSwitchDevice::EndScene() { return Target->EndScene(); }

HRESULT DrawSwitchDevice::Present() { return DropsPicture() ? S_OK : Target->Present(); }

void DrawSwitchDevice::Release() {
    Target->Release();
    delete this;
}
