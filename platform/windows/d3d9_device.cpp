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
        Native->CreateVertexBuffer(length, usage, format, D3DPOOL_MANAGED, &created, nullptr);
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
    // The managed pool takes no dynamic textures; its textures are locked all the same.
    IDirect3DTexture9* created = nullptr;
    const HRESULT result = Native->CreateTexture(width, height, levels, usage & ~D3DUSAGE_DYNAMIC,
                                                 static_cast<D3DFORMAT>(format), D3DPOOL_MANAGED,
                                                 &created, nullptr);
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
    IDirect3DTexture9* created = nullptr;
    HRESULT result = Native->CreateTexture(filled.Width(), filled.Height(), 1, 0, D3DFMT_A8R8G8B8,
                                           D3DPOOL_MANAGED, &created, nullptr);
    if (Failed(result)) {
        return result;
    }
    D3DLOCKED_RECT locked;
    result = created->LockRect(0, &locked, nullptr, 0);
    if (Failed(result)) {
        created->Release();
        return result;
    }
    filled.CopyTo(locked.pBits, locked.Pitch);
    created->UnlockRect(0);
    *texture = new D3d9Texture(created);
    return S_OK;
}

HRESULT D3d9Device::SetTransform(TransformState state, const Matrix4* matrix) {
    if (matrix == nullptr) {
        return E_FAIL;
    }
    const auto native = static_cast<D3DTRANSFORMSTATETYPE>(state);
    const auto& values = *reinterpret_cast<const D3DMATRIX*>(matrix);
    State.SetTransform(native, values);
    return Lost ? S_OK : Native->SetTransform(native, &values);
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
    State.SetLight(index, native);
    return Lost ? S_OK : Native->SetLight(index, &native);
}

HRESULT D3d9Device::LightEnable(uint32_t index, bool enable) {
    State.LightEnable(index, enable ? TRUE : FALSE);
    return Lost ? S_OK : Native->LightEnable(index, enable ? TRUE : FALSE);
}

HRESULT D3d9Device::SetRenderState(RenderState state, uint32_t value) {
    const auto native = static_cast<D3DRENDERSTATETYPE>(state);
    State.SetRenderState(native, value);
    return Lost ? S_OK : Native->SetRenderState(native, value);
}

HRESULT D3d9Device::SetSamplerState(uint32_t sampler, D3DSAMPLERSTATETYPE state, uint32_t value) {
    State.SetSamplerState(sampler, state, value);
    return Lost ? S_OK : Native->SetSamplerState(sampler, state, value);
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
    State.SetMaterial(native);
    return Lost ? S_OK : Native->SetMaterial(&native);
}

HRESULT D3d9Device::SetTexture(uint32_t stage, Texture* texture) {
    IDirect3DTexture9* native =
        texture != nullptr ? static_cast<D3d9Texture*>(texture)->Texture9() : nullptr;
    if (stage == 0) {
        State.SetTexture(native);
    }
    return Lost ? S_OK : Native->SetTexture(stage, native);
}

HRESULT D3d9Device::SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) {
    const auto native = static_cast<D3DTEXTURESTAGESTATETYPE>(state);
    State.SetTextureStageState(stage, native, value);
    return Lost ? S_OK : Native->SetTextureStageState(stage, native, value);
}

HRESULT D3d9Device::SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset,
                                    uint32_t stride) {
    IDirect3DVertexBuffer9* native =
        buffer != nullptr ? static_cast<D3d9VertexBuffer*>(buffer)->Buffer9() : nullptr;
    if (stream == 0) {
        State.SetStreamSource(native, offset, stride);
    }
    return Lost ? S_OK : Native->SetStreamSource(stream, native, offset, stride);
}

HRESULT D3d9Device::SetFVF(uint32_t format) {
    State.SetFVF(format);
    return Lost ? S_OK : Native->SetFVF(format);
}

HRESULT D3d9Device::DrawPrimitive(PrimitiveType type, uint32_t startVertex,
                                  uint32_t primitiveCount) {
    if (Lost) {
        return S_OK;
    }
    return Native->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(type), startVertex, primitiveCount);
}

HRESULT D3d9Device::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    return Lost ? S_OK : Native->Clear(0, nullptr, flags, color, z, stencil);
}

HRESULT D3d9Device::BeginScene() { return Lost ? S_OK : Native->BeginScene(); }

HRESULT D3d9Device::EndScene() { return Lost ? S_OK : Native->EndScene(); }

HRESULT D3d9Device::Present() {
    if (Lost) {
        // This frame was drawn into nothing: a recovered device shows the next one.
        CapturedFrame.clear();
        return Recover() ? S_OK : D3DERR_DEVICELOST;
    }
    if (CaptureFrames && !KeepBackBuffer()) {
        CapturedFrame.clear();
    }
    const HRESULT result = Native->Present(nullptr, nullptr, nullptr, nullptr);
    Lost = result == D3DERR_DEVICELOST;
    return result;
}

bool D3d9Device::Recover() {
    const HRESULT level = Native->TestCooperativeLevel();
    if (level == D3DERR_DEVICENOTRESET) {
        // Reset may write into the parameters it is given.
        D3DPRESENT_PARAMETERS parameters = Parameters;
        if (Failed(Native->Reset(&parameters))) {
            return false;
        }
    } else if (level != D3D_OK) {
        return false;
    }
    // Whether reset or not, the device has seen none of the states set while it was lost.
    State.ApplyTo(Native);
    Lost = false;
    return true;
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
