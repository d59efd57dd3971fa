#include "platform/windows/d3d9_state_record.h"

namespace gfx {
namespace {

// Holds a reference of its own to the new object and gives up the one to the old.
template <typename Interface>
void Hold(Interface*& held, Interface* object) {
    if (object != nullptr) {
        object->AddRef();
    }
    if (held != nullptr) {
        held->Release();
    }
    held = object;
}

}  // namespace

D3d9StateRecord::~D3d9StateRecord() {
    Hold(Texture, static_cast<IDirect3DTexture9*>(nullptr));
    Hold(Stream, static_cast<IDirect3DVertexBuffer9*>(nullptr));
}

void D3d9StateRecord::LightEnable(DWORD index, BOOL enable) {
    auto& [on, since] = LightSwitches[index];
    if (enable && !on) {
        since = ++SwitchesOn;
    }
    on = enable;
}

void D3d9StateRecord::SetTexture(IDirect3DTexture9* texture) { Hold(Texture, texture); }

void D3d9StateRecord::SetStreamSource(IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) {
    Hold(Stream, buffer);
    StreamOffset = offset;
    StreamStride = stride;
}

void D3d9StateRecord::ApplyTo(IDirect3DDevice9* device) const {
    for (const auto& [state, value] : RenderStates) {
        device->SetRenderState(state, value);
    }
    for (const auto& [key, value] : StageStates) {
        device->SetTextureStageState(key.first, key.second, value);
    }
    for (const auto& [key, value] : SamplerStates) {
        device->SetSamplerState(key.first, key.second, value);
    }
    for (const auto& [state, matrix] : Transforms) {
        device->SetTransform(state, &matrix);
    }
    for (const auto& [index, light] : Lights) {
        device->SetLight(index, &light);
    }
    std::map<uint64_t, DWORD> onInOrder;
    for (const auto& [index, light] : LightSwitches) {
        if (light.first) {
            onInOrder[light.second] = index;
        } else {
            device->LightEnable(index, FALSE);
        }
    }
    for (const auto& [since, index] : onInOrder) {
        device->LightEnable(index, TRUE);
    }
    if (Material) {
        device->SetMaterial(&*Material);
    }
    if (Format) {
        device->SetFVF(*Format);
    }
    device->SetTexture(0, Texture);
    device->SetStreamSource(0, Stream, StreamOffset, StreamStride);
}

}  // namespace gfx
