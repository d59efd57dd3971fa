#include "platform/gl/gl_context.h"

namespace gfx {

GlContext::GlContext(std::unique_ptr<GlSurface> surface) : Window(std::move(surface)) {}

GlContext::~GlContext() { Destroy(); }

bool GlContext::MakeCurrent() { return Live && Window->MakeCurrent(); }

void GlContext::Destroy() {
    if (!Live) {
        return;
    }
    Window->Destroy();
    Live = false;
    BoundTexture = nullptr;
    StreamSource = nullptr;
#ifdef BANNER_GL_ES
    Waiting.clear();
#endif
}

}  // namespace gfx
