#include "platform/web/web_gl_surface.h"

#include <emscripten/html5.h>

namespace gfx {

bool WebGlSurface::MakeCurrent() {
    if (Context == 0) {
        Failure = "the WebGL context is gone";
        return false;
    }
    if (emscripten_webgl_get_current_context() == Context) {
        return true;
    }
    if (emscripten_webgl_make_context_current(Context) != EMSCRIPTEN_RESULT_SUCCESS) {
        Failure = "the WebGL context cannot be made current";
        return false;
    }
    return true;
}

void WebGlSurface::Destroy() {
    if (Context != 0) {
        emscripten_webgl_destroy_context(Context);
        Context = 0;
    }
}

void WebGlSurface::DrawableSize(int* width, int* height) {
    if (emscripten_get_canvas_element_size(Canvas.c_str(), width, height) !=
        EMSCRIPTEN_RESULT_SUCCESS) {
        *width = 0;
        *height = 0;
    }
}

}  // namespace gfx
