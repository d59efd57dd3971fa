#include "platform/windows/d3d9_graphics_system.h"

#include "platform/windows/d3d9_device.h"
#include "platform/windows/win32.h"

#include <d3d9.h>

namespace gfx {

D3d9GraphicsSystem* D3d9GraphicsSystem::Create(const Options& options, std::string* error) {
    IDirect3D9* direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3D == nullptr) {
        *error = "Direct3D 9 is not available";
        return nullptr;
    }
    return new D3d9GraphicsSystem(direct3D, options);
}

HRESULT D3d9GraphicsSystem::CreateDevice(WindowHandle window, const PresentParameters& parameters,
                                         Device** device) {
    if (device == nullptr) {
        return E_FAIL;
    }
    D3DPRESENT_PARAMETERS present{};
    present.BackBufferWidth = parameters.BackBufferWidth;
    present.BackBufferHeight = parameters.BackBufferHeight;
    present.BackBufferFormat = D3DFMT_X8R8G8B8;
    present.BackBufferCount = 1;
    present.MultiSampleType = D3DMULTISAMPLE_NONE;
    present.SwapEffect = D3DSWAPEFFECT_COPY;
    present.hDeviceWindow = static_cast<HWND>(window);
    present.Windowed = parameters.Windowed ? TRUE : FALSE;
    present.EnableAutoDepthStencil = parameters.EnableAutoDepthStencil ? TRUE : FALSE;
    present.AutoDepthStencilFormat = D3DFMT_D24X8;
    present.PresentationInterval =
        Settings.Immediate ? D3DPRESENT_INTERVAL_IMMEDIATE : parameters.PresentationInterval;
    IDirect3DDevice9* created = nullptr;
    const HRESULT result =
        Direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, static_cast<HWND>(window),
                               D3DCREATE_SOFTWARE_VERTEXPROCESSING, &present, &created);
    if (Failed(result)) {
        return result;
    }
    auto* made = new D3d9Device(created, present);
    if (Settings.Bilinear) {
        made->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
        made->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    }
    *device = made;
    return S_OK;
}

void D3d9GraphicsSystem::Release() {
    Direct3D->Release();
    delete this;
}

}  // namespace gfx
