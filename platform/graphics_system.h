#pragma once

#include <cstdint>

#include "platform/graphics_device.h"

namespace gfx {

// The native window a device draws into: an SDL window, a Win32 window handle, or a canvas.
using WindowHandle = void*;

struct PresentParameters {
    uint32_t BackBufferWidth = 0;
    uint32_t BackBufferHeight = 0;
    bool Windowed = true;
    bool EnableAutoDepthStencil = true;  // a 24-bit depth buffer
    uint32_t PresentationInterval = 0;   // 0: wait for vertical sync in a window
};

// The top-level graphics object: it exists once the graphics platform is usable and makes the one
// device that draws into a window.
class GraphicsSystem {
public:
    virtual HRESULT CreateDevice(WindowHandle window, const PresentParameters& parameters,
                                 Device** device) = 0;
    virtual void Release() = 0;

protected:
    virtual ~GraphicsSystem() = default;
};

}  // namespace gfx
