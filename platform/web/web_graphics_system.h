#pragma once

#include <string>

#include "platform/graphics_system.h"

namespace gfx {

// The graphics system of the page: it makes devices over WebGL 2 on a canvas, named by the
// window handle as a CSS selector (a const char*). Whether the browser offers WebGL 2 shows only
// when a device is made.
class GlDevice;

class WebGraphicsSystem final : public GraphicsSystem {
public:
    // made, when given, is told of every device made, for resizing its back buffer later.
    explicit WebGraphicsSystem(GlDevice** made = nullptr) : Made(made) {}

    // The device is a GlDevice whose back buffer has the canvas's size. Fails with E_FAIL, and the reason in LastError, when the canvas
    // gives no WebGL 2 context.
    HRESULT CreateDevice(WindowHandle window, const PresentParameters& parameters,
                         Device** device) override;
    void Release() override { delete this; }

    const std::string& LastError() const { return Error; }

private:
    ~WebGraphicsSystem() override = default;

    GlDevice** Made;
    std::string Error;
};

}  // namespace gfx
