#pragma once

#include "platform/graphics_device.h"

// A device that passes every call on to another, except that while skipping it neither clears,
// draws nor presents. A frame played while skipping changes everything a drawn one does (the
// scene's state, the objects' textures and buffers) but costs no rasterising: the page plays up
// to a fixed frame this way and draws only that one.
class FrameSkippingDevice final : public gfx::Device {
public:
    // Takes over inner: releasing this device releases it.
    explicit FrameSkippingDevice(gfx::Device* inner) : Inner(inner) {}

    void SetSkipping(bool skipping) { Skipping = skipping; }

    HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t format,
                               gfx::VertexBuffer** buffer) override;
    HRESULT CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                          gfx::Format format, gfx::Texture** texture) override;
    HRESULT CreateTextureFromPngInMemory(const void* data, size_t size, uint32_t colorKey,
                                         gfx::Texture** texture) override;
    HRESULT SetTransform(gfx::TransformState state, const Matrix4* matrix) override;
    HRESULT SetLight(uint32_t index, const gfx::Light* light) override;
    HRESULT LightEnable(uint32_t index, bool enable) override;
    HRESULT SetRenderState(gfx::RenderState state, uint32_t value) override;
    HRESULT SetMaterial(const gfx::Material* material) override;
    HRESULT SetTexture(uint32_t stage, gfx::Texture* texture) override;
    HRESULT SetTextureStageState(uint32_t stage, gfx::TextureStageState state,
                                 uint32_t value) override;
    HRESULT SetStreamSource(uint32_t stream, gfx::VertexBuffer* buffer, uint32_t offset,
                            uint32_t stride) override;
    HRESULT SetFVF(uint32_t format) override;
    HRESULT DrawPrimitive(gfx::PrimitiveType type, uint32_t startVertex,
                          uint32_t primitiveCount) override;
    HRESULT Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    void Release() override;

private:
    ~FrameSkippingDevice() override = default;

    gfx::Device* Inner;
    bool Skipping = false;
};
