#include "platform/web/web_graphics_system.h"

#include <emscripten/html5.h>
#include <emscripten/html5_webgl.h>

#include <memory>

#include "platform/gl/gl_device.h"
#include "platform/web/web_gl_surface.h"

namespace gfx {

HRESULT WebGraphicsSystem::CreateDevice(WindowHandle window, const PresentParameters& parameters,
                                        Device** device) {
    const auto* canvas = static_cast<const char*>(window);
    if (canvas == nullptr || device == nullptr) {
        Error = "no canvas to draw into";
        return E_FAIL;
    }
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // The device draws into a back buffer of its own, with its depth buffer, and copies it over.
    attributes.alpha = false;
    attributes.depth = false;
    attributes.stencil = false;
    attributes.antialias = false;
    attributes.enableExtensionsByDefault = false;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context(canvas, &attributes);
    if (context <= 0) {
        Error = "the canvas gives no WebGL 2 context";
        return E_FAIL;
    }
    emscripten_webgl_make_context_current(context);
    // The back buffer is the canvas's drawing buffer, which the page sizes to the pixels it
    // covers on the screen: the same view, as sharp as the screen shows it.
    PresentParameters sized = parameters;
    int width = 0;
    int height = 0;
    if (emscripten_get_canvas_element_size(canvas, &width, &height) == EMSCRIPTEN_RESULT_SUCCESS &&
        width > 0 && height > 0) {
        sized.BackBufferWidth = static_cast<uint32_t>(width);
        sized.BackBufferHeight = static_cast<uint32_t>(height);
    }
    GlDevice* created = nullptr;
    auto surface = std::make_unique<WebGlSurface>(context, canvas);
    if (Failed(GlDevice::Create(std::move(surface), sized, {}, &created, &Error))) {
        return E_FAIL;
    }
    if (Made != nullptr) {
        *Made = created;
    }
    *device = created;
    return S_OK;
}

}  // namespace gfx
