#pragma once

#include <emscripten/html5_webgl.h>

#include <string>

#include "platform/gl/gl_surface.h"

namespace gfx {

// A WebGL 2 context on a canvas. The browser shows what was drawn into the canvas once the
// script's turn ends, so there is nothing to swap and no vertical sync to ask for.
class WebGlSurface final : public GlSurface {
public:
    // Takes ownership of context, made on the canvas the selector names.
    WebGlSurface(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context, std::string canvas)
        : Context(context), Canvas(std::move(canvas)) {}
    ~WebGlSurface() override { Destroy(); }
    WebGlSurface(const WebGlSurface&) = delete;
    WebGlSurface& operator=(const WebGlSurface&) = delete;

    bool MakeCurrent() override;
    void Destroy() override;
    void DrawableSize(int* width, int* height) override;
    void Swap() override {}
    bool SetSwapInterval(int) override { return true; }
    void* ProcAddress(const char*) override { return nullptr; }
    std::string Error() const override { return Failure; }

private:
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE Context;
    std::string Canvas;
    std::string Failure;
};

}  // namespace gfx
