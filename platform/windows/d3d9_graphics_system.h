#pragma once

#include <string>

#include "platform/graphics_system.h"

struct IDirect3D9;

namespace gfx {

// Direct3D 9's top-level object. Its devices draw into a window's back buffer of the size given,
// with a 24-bit depth buffer, vertices processed in software.
class D3d9GraphicsSystem final : public GraphicsSystem {
public:
    // For tools only; the programs take the defaults.
    struct Options {
        // Present without waiting for the display: for tools that draw faster than real time.
        bool Immediate = false;
        // Sample textures bilinearly, as the OpenGL device does, instead of Direct3D's nearest
        // texel: for comparing the two devices' pictures.
        bool Bilinear = false;
    };

    // Null, with the reason, when Direct3D 9 is not available.
    static D3d9GraphicsSystem* Create(const Options& options, std::string* error);

    // The device is a D3d9Device.
    HRESULT CreateDevice(WindowHandle window, const PresentParameters& parameters,
                         Device** device) override;
    void Release() override;

private:
    D3d9GraphicsSystem(IDirect3D9* direct3D, const Options& options)
        : Direct3D(direct3D), Settings(options) {}
    ~D3d9GraphicsSystem() override = default;

    IDirect3D9* Direct3D;
    Options Settings;
};

}  // namespace gfx
