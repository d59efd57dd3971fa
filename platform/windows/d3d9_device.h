#pragma once

#include <vector>

#include "platform/frame_capture.h"
#include "platform/graphics_device.h"
#include "platform/windows/d3d9_state_record.h"

namespace gfx {

// The graphics device as a thin layer over Direct3D 9's: every call is the native call with the
// same arguments, the values being Direct3D's own, except that buffers and textures live in the
// managed pool (below). A texture from a PNG file is decoded here, as Direct3D has no decoder of
// its own.
//
// The device outlives a loss of Direct3D's (a locked screen, a display change): once Present
// reports the device lost, nothing reaches it but one check at each later Present whether it can
// be reset; then it is reset with the parameters it was made with, and every state set before is
// set again. Buffers and textures live in Direct3D's managed pool, whose contents Direct3D keeps
// through a reset, so no texture is created dynamic. While lost, every call succeeds and draws
// nothing, so the show goes on and resumes its picture where it then stands.
class D3d9Device final : public Device, public FrameCapture {
public:
    // Takes over the reference to device, made with the parameters given.
    D3d9Device(IDirect3DDevice9* device, const D3DPRESENT_PARAMETERS& parameters)
        : Native(device), Parameters(parameters) {}

    HRESULT CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t format,
                               VertexBuffer** buffer) override;
    HRESULT CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                          Format format, Texture** texture) override;
    HRESULT CreateTextureFromPngInMemory(const void* data, size_t size, uint32_t colorKey,
                                         Texture** texture) override;
    HRESULT SetTransform(TransformState state, const Matrix4* matrix) override;
    HRESULT SetLight(uint32_t index, const Light* light) override;
    HRESULT LightEnable(uint32_t index, bool enable) override;
    HRESULT SetRenderState(RenderState state, uint32_t value) override;
    HRESULT SetMaterial(const Material* material) override;
    HRESULT SetTexture(uint32_t stage, Texture* texture) override;
    HRESULT SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) override;
    HRESULT SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset,
                            uint32_t stride) override;
    HRESULT SetFVF(uint32_t format) override;
    HRESULT DrawPrimitive(PrimitiveType type, uint32_t startVertex,
                          uint32_t primitiveCount) override;
    HRESULT Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present() override;
    // Resources keep the native device alive until they are released themselves.
    void Release() override;

    // Not in the seam: a sampler state, kept through resets like the others.
    HRESULT SetSamplerState(uint32_t sampler, D3DSAMPLERSTATETYPE state, uint32_t value);

    void SetFrameCapture(bool capture) override { CaptureFrames = capture; }
    bool ReadPresentedFrame(std::vector<uint8_t>& rgba, int& width, int& height) const override;

    IDirect3DDevice9* Device9() const { return Native; }

private:
    ~D3d9Device() override = default;
    // Copies the back buffer into CapturedFrame through a surface in system memory.
    bool KeepBackBuffer();
    // While lost: resets the device, if Direct3D lets it, and sets every recorded state again.
    // Whether the device is usable again.
    bool Recover();

    IDirect3DDevice9* Native;
    const D3DPRESENT_PARAMETERS Parameters;
    D3d9StateRecord State;
    bool Lost = false;
    bool CaptureFrames = false;
    IDirect3DSurface9* ReadBack = nullptr;
    std::vector<uint8_t> CapturedFrame;
    int CapturedWidth = 0;
    int CapturedHeight = 0;
};

}  // namespace gfx
