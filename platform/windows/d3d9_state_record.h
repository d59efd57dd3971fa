#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "platform/windows/win32.h"

#include <d3d9.h>

namespace gfx {

// Everything set on a Direct3D 9 device that a reset returns to its default: render, texture
// stage and sampler states, transforms, lights and their switches, the material, the texture of
// stage 0, the vertex stream and its format. Each is kept as last set, to be set again once the
// device has been reset. Lights are switched on again in the order they were switched on: where a
// device lights only so many at once, the ones lit first keep their places, so the same ones are
// lit as before. The bound texture and buffer are held by a reference of the record's own, so
// that setting them again cannot reach a released object.
class D3d9StateRecord {
public:
    D3d9StateRecord() = default;
    ~D3d9StateRecord();
    D3d9StateRecord(const D3d9StateRecord&) = delete;
    D3d9StateRecord& operator=(const D3d9StateRecord&) = delete;

    void SetRenderState(D3DRENDERSTATETYPE state, DWORD value) { RenderStates[state] = value; }
    void SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) {
        StageStates[{stage, state}] = value;
    }
    void SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE state, DWORD value) {
        SamplerStates[{sampler, state}] = value;
    }
    void SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
        Transforms[state] = matrix;
    }
    void SetLight(DWORD index, const D3DLIGHT9& light) { Lights[index] = light; }
    void LightEnable(DWORD index, BOOL enable);
    void SetMaterial(const D3DMATERIAL9& material) { Material = material; }
    void SetFVF(DWORD format) { Format = format; }
    // Stage 0's texture; null unbinds it.
    void SetTexture(IDirect3DTexture9* texture);
    void SetStreamSource(IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride);

    // Sets everything recorded on the device, lights before their switches.
    void ApplyTo(IDirect3DDevice9* device) const;

private:
    std::map<D3DRENDERSTATETYPE, DWORD> RenderStates;
    std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> StageStates;
    std::map<std::pair<DWORD, D3DSAMPLERSTATETYPE>, DWORD> SamplerStates;
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> Transforms;
    std::map<DWORD, D3DLIGHT9> Lights;
    // Per light: whether it is on and, counted in switches from off to on, when it was last
    // switched on.
    std::map<DWORD, std::pair<BOOL, uint64_t>> LightSwitches;
    uint64_t SwitchesOn = 0;
    std::optional<D3DMATERIAL9> Material;
    std::optional<DWORD> Format;
    IDirect3DTexture9* Texture = nullptr;
    IDirect3DVertexBuffer9* Stream = nullptr;
    UINT StreamOffset = 0;
    UINT StreamStride = 0;
};

}  // namespace gfx
