#include "app/web/frame_skipping_device.h"

HRESULT FrameSkippingDevice::CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t format,
                                                gfx::VertexBuffer** buffer) {
    return Inner->CreateVertexBuffer(length, usage, format, buffer);
}

HRESULT FrameSkippingDevice::CreateTexture(uint32_t width, uint32_t height, uint32_t levels,
                                           uint32_t usage, gfx::Format format,
                                           gfx::Texture** texture) {
    return Inner->CreateTexture(width, height, levels, usage, format, texture);
}

HRESULT FrameSkippingDevice::CreateTextureFromPngInMemory(const void* data, size_t size,
                                                          uint32_t colorKey,
                                                          gfx::Texture** texture) {
    return Inner->CreateTextureFromPngInMemory(data, size, colorKey, texture);
}

HRESULT FrameSkippingDevice::SetTransform(gfx::TransformState state, const Matrix4* matrix) {
    return Inner->SetTransform(state, matrix);
}

HRESULT FrameSkippingDevice::SetLight(uint32_t index, const gfx::Light* light) {
    return Inner->SetLight(index, light);
}

HRESULT FrameSkippingDevice::LightEnable(uint32_t index, bool enable) {
    return Inner->LightEnable(index, enable);
}

HRESULT FrameSkippingDevice::SetRenderState(gfx::RenderState state, uint32_t value) {
    return Inner->SetRenderState(state, value);
}

HRESULT FrameSkippingDevice::SetMaterial(const gfx::Material* material) {
    return Inner->SetMaterial(material);
}

HRESULT FrameSkippingDevice::SetTexture(uint32_t stage, gfx::Texture* texture) {
    return Inner->SetTexture(stage, texture);
}

HRESULT FrameSkippingDevice::SetTextureStageState(uint32_t stage, gfx::TextureStageState state,
                                                  uint32_t value) {
    return Inner->SetTextureStageState(stage, state, value);
}

HRESULT FrameSkippingDevice::SetStreamSource(uint32_t stream, gfx::VertexBuffer* buffer,
                                             uint32_t offset, uint32_t stride) {
    return Inner->SetStreamSource(stream, buffer, offset, stride);
}

HRESULT FrameSkippingDevice::SetFVF(uint32_t format) { return Inner->SetFVF(format); }

HRESULT FrameSkippingDevice::DrawPrimitive(gfx::PrimitiveType type, uint32_t startVertex,
                                           uint32_t primitiveCount) {
    return Skipping ? S_OK : Inner->DrawPrimitive(type, startVertex, primitiveCount);
}

HRESULT FrameSkippingDevice::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    return Skipping ? S_OK : Inner->Clear(flags, color, z, stencil);
}

HRESULT FrameSkippingDevice::BeginScene() { return Inner->BeginScene(); }

HRESULT FrameSkippingDevice::EndScene() { return Inner->EndScene(); }

HRESULT FrameSkippingDevice::Present() { return Skipping ? S_OK : Inner->Present(); }

void FrameSkippingDevice::Release() {
    Inner->Release();
    delete this;
}
