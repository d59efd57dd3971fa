#include "platform/gl/gl_device.h"

namespace gfx {

// The projection comes from the scene, not from the buffer: only the pixel grid gets finer.
HRESULT GlDevice::ResizeBackBuffer(int width, int height) {
    if (width <= 0 || height <= 0 || !Context->MakeCurrent()) {
        return E_FAIL;
    }
    if (width == Target.Width() && height == Target.Height()) {
        return S_OK;
    }
    Target.Destroy();
    if (!Target.Create(width, height)) {
        return E_FAIL;
    }
    glViewport(0, 0, width, height);
    Uniforms.Fixup[0] = 1.0f / static_cast<float>(width);
    Uniforms.Fixup[1] = -1.0f / static_cast<float>(height);
    Uniforms.Touch(GlUniformState::ClipFixup);
    return S_OK;
}

}  // namespace gfx
