#include "platform/windows/d3d9_device.h"

#include <string>

#include "platform/png_image.h"
#include "platform/windows/d3d9_texture.h"
#include "platform/windows/d3d9_vertex_buffer.h"
#include "platform/windows/win32.h"

#include <d3d9.h>

namespace gfx {
namespace {

static_assert(sizeof(Matrix4) == sizeof(D3DMATRIX), "both are 16 floats, row after row");

D3DCOLORVALUE ToNative(const ColorValue& color) { return {color.r, color.g, color.b, color.a}; }

D3DVECTOR ToNative(const Vec3& v) { return {v.x, v.y, v.z}; }

}  // namespace

HRESULT D3d9Device::CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t format,
                                       VertexBuffer** buffer) {
    if (buffer == nullptr) {
        return E_FAIL;
    }
    IDirect3DVertexBuffer9* created = nullptr;
    const HRESULT result =
        Native->CreateVertexBuffer(length, usage, format, D3DPOOL_DEFAULT, &created, nullptr);
    if (Succeeded(result)) {
        *buffer = new D3d9VertexBuffer(created);
    }
    return result;
}

HRESULT D3d9Device::CreateTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                                  Format format, Texture** texture) {
    if (texture == nullptr) {
        return E_FAIL;
    }
    IDirect3DTexture9* created = nullptr;
    const HRESULT result =
        Native->CreateTexture(width, height, levels, usage, static_cast<D3DFORMAT>(format),
                              D3DPOOL_DEFAULT, &created, nullptr);
    if (Succeeded(result)) {
        *texture = new D3d9Texture(created);
    }
    return result;
}

HRESULT D3d9Device::CreateTextureFromPngInMemory(const void* data, size_t size, uint32_t colorKey,
                                                 Texture** texture) {
    PngImage image;
    std::string error;
    if (texture == nullptr || !PngImage::Decode(data, size, &image, &error)) {
        return E_FAIL;
    }
    const PngImage filled = image.AsTexture(colorKey);
    // A texture of the default pool cannot be locked: fill one in system memory and copy it over.
    IDirect3DTexture9* staging = nullptr;
    HRESULT result = Native->CreateTexture(filled.Width(), filled.Height(), 1, 0, D3DFMT_A8R8G8B8,
                                           D3DPOOL_SYSTEMMEM, &staging, nullptr);
    if (Failed(result)) {
        return result;
    }
    D3DLOCKED_RECT locked;
    result = staging->LockRect(0, &locked, nullptr, 0);
    if (Succeeded(result)) {
        filled.CopyTo(locked.pBits, locked.Pitch);
        staging->UnlockRect(0);
    }
    IDirect3DTexture9* created = nullptr;
    if (Succeeded(result)) {
        result = Native->CreateTexture(filled.Width(), filled.Height(), 1, 0, D3DFMT_A8R8G8B8,
                                       D3DPOOL_DEFAULT, &created, nullptr);
    }
    if (Succeeded(result)) {
        result = Native->UpdateTexture(staging, created);
    }
    staging->Release();
    if (Failed(result)) {
        if (created != nullptr) {
            created->Release();
        }
        return result;
    }
    *texture = new D3d9Texture(created);
    return S_OK;
}

HRESULT D3d9Device::SetTransform(TransformState state, const Matrix4* matrix) {
    return Native->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(state),
                                reinterpret_cast<const D3DMATRIX*>(matrix));
}

HRESULT D3d9Device::SetLight(uint32_t index, const Light* light) {
    if (light == nullptr) {
        return E_FAIL;
    }
    D3DLIGHT9 native{};
    native.Type = static_cast<D3DLIGHTTYPE>(light->Type);
    native.Diffuse = ToNative(light->Diffuse);
    native.Specular = ToNative(light->Specular);
    native.Ambient = ToNative(light->Ambient);
    native.Position = ToNative(light->Position);
    native.Direction = ToNative(light->Direction);
    native.Range = light->Range;
    native.Falloff = light->Falloff;
    native.Attenuation0 = light->Attenuation0;
    native.Attenuation1 = light->Attenuation1;
    native.Attenuation2 = light->Attenuation2;
    native.Theta = light->Theta;
    native.Phi = light->Phi;
    return Native->SetLight(index, &native);
}

HRESULT D3d9Device::LightEnable(uint32_t index, bool enable) {
    return Native->LightEnable(index, enable ? TRUE : FALSE);
}

HRESULT D3d9Device::SetRenderState(RenderState state, uint32_t value) {
    return Native->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), value);
}

HRESULT D3d9Device::SetMaterial(const Material* material) {
    if (material == nullptr) {
        return E_FAIL;
    }
    D3DMATERIAL9 native{};
    native.Diffuse = ToNative(material->Diffuse);
    native.Ambient = ToNative(material->Ambient);
    native.Specular = ToNative(material->Specular);
    native.Emissive = ToNative(material->Emissive);
    native.Power = material->Power;
    return Native->SetMaterial(&native);
}

HRESULT D3d9Device::SetTexture(uint32_t stage, Texture* texture) {
    IDirect3DTexture9* native =
        texture != nullptr ? static_cast<D3d9Texture*>(texture)->Texture9() : nullptr;
    return Native->SetTexture(stage, native);
}

HRESULT D3d9Device::SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) {
    return Native->SetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(state), value);
}

HRESULT D3d9Device::SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset,
                                    uint32_t stride) {
    IDirect3DVertexBuffer9* native =
        buffer != nullptr ? static_cast<D3d9VertexBuffer*>(buffer)->Buffer9() : nullptr;
    return Native->SetStreamSource(stream, native, offset, stride);
}

HRESULT D3d9Device::SetFVF(uint32_t format) { return Native->SetFVF(format); }

HRESULT D3d9Device::DrawPrimitive(PrimitiveType type, uint32_t startVertex,
                                  uint32_t primitiveCount) {
    return Native->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(type), startVertex, primitiveCount);
}

HRESULT D3d9Device::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    return Native->Clear(0, nullptr, flags, color, z, stencil);
}

HRESULT D3d9Device::BeginScene() { return Native->BeginScene(); }

HRESULT D3d9Device::EndScene() { return Native->EndScene(); }

HRESULT D3d9Device::Present() {
    if (CaptureFrames && !KeepBackBuffer()) {
        CapturedFrame.clear();
    }
    return Native->Present(nullptr, nullptr, nullptr, nullptr);
}

void D3d9Device::Release() {
    if (ReadBack != nullptr) {
        ReadBack->Release();
    }
    Native->Release();
    delete this;
}

bool D3d9Device::KeepBackBuffer() {
    IDirect3DSurface9* backBuffer = nullptr;
    if (Failed(Native->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
        return false;
    }
    D3DSURFACE_DESC description;
    backBuffer->GetDesc(&description);
    if (ReadBack == nullptr && Failed(Native->CreateOffscreenPlainSurface(
                                   description.Width, description.Height, description.Format,
                                   D3DPOOL_SYSTEMMEM, &ReadBack, nullptr))) {
        backBuffer->Release();
        return false;
    }
    const HRESULT copied = Native->GetRenderTargetData(backBuffer, ReadBack);
    backBuffer->Release();
    D3DLOCKED_RECT locked;
    if (Failed(copied) || Failed(ReadBack->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        return false;
    }
    CapturedWidth = static_cast<int>(description.Width);
    CapturedHeight = static_cast<int>(description.Height);
    CapturedFrame.resize(size_t{description.Width} * description.Height * 4);
    uint8_t* out = CapturedFrame.data();
    for (uint32_t y = 0; y < description.Height; ++y) {
        const auto* row = static_cast<const uint8_t*>(locked.pBits) + ptrdiff_t{locked.Pitch} * y;
        for (uint32_t x = 0; x < description.Width; ++x, out += 4) {
            // X8R8G8B8 lies in memory as B, G, R, X.
            out[0] = row[x * 4 + 2];
            out[1] = row[x * 4 + 1];
            out[2] = row[x * 4 + 0];
            out[3] = 255;
        }
    }
    ReadBack->UnlockRect();
    return true;
}

bool D3d9Device::ReadPresentedFrame(std::vector<uint8_t>& rgba, int& width, int& height) const {
    if (CapturedFrame.empty()) {
        return false;
    }
    rgba = CapturedFrame;
    width = CapturedWidth;
    height = CapturedHeight;
    return true;
}

}  // namespace gfx
