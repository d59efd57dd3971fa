#pragma once

#include "platform/graphics_device.h"

// A device in front of another that passes every call on, except that while drawing is off it
// drops the draws. Everything else the scene does (resources, texture contents, states, lights,
// transforms) still reaches the device, so the frames drawn afterwards are the ones the device
// would have drawn anyway: frames nobody looks at are played without rasterising them.
class DrawSwitchDevice final : public gfx::Device {
public:
    // What a frame played with drawing off leaves out: its draws alone (it is still cleared and
    // presented, so reading it back shows the clear), or its whole picture (clear, draws and
    // present, so the window keeps showing the last frame drawn).
    enum class Drops { Draws, Picture };

    // Takes over device: releasing this releases it.
    DrawSwitchDevice(gfx::Device* device, Drops drops) : Target(device), Dropped(drops) {}

    void SetDrawing(bool drawing) { Drawing = drawing; }

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
    ~DrawSwitchDevice() override = default;

    bool DropsPicture() const { return !Drawing && Dropped == Drops::Picture; }

    gfx::Device* Target;
    Drops Dropped;
    bool Drawing = true;
};
